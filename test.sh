#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
# Extra arguments go to CMake (for example -DCURVALIA_SANITIZE=ON);
# CURVALIA_BUILD_DIR chooses the build folder.
set -euo pipefail
CURVALIA_ROOT=$(cd "$(dirname "$0")" && pwd)
. "$CURVALIA_ROOT/tools/common.sh"
curvalia_install_missing
dir=${CURVALIA_BUILD_DIR:-$CURVALIA_ROOT/build}
curvalia_build "$dir" "$@"
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
