#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program (under Xvfb when
# there is no display).
set -euo pipefail
CURVALIA_ROOT=$(cd "$(dirname "$0")" && pwd)
. "$CURVALIA_ROOT/tools/common.sh"
curvalia_install_missing
curvalia_build "$CURVALIA_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The help document is looked up in the current directory.
cd "$CURVALIA_ROOT/docs"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$CURVALIA_ROOT/build/app/curvalia-light" "$@"
else
    echo "No display found: starting under xvfb-run."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$CURVALIA_ROOT/build/app/curvalia-light" "$@"
fi
