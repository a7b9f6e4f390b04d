#!/usr/bin/env bash
# Runs a test binary under Xvfb with a session bus and the AT-SPI bus, the
# way a screen reader's desktop has them, so that Qt's accessibility bridge
# is live and raises its events. Skipped where the AT-SPI bus is not
# installed (under CI, CI=true, that fails instead).
# Usage: accessibility_bus.sh <test binary> [arguments...]
set -uo pipefail
program=$1
shift
. "$(dirname "$0")/e2e_lib.sh"

if ! command -v dbus-run-session >/dev/null 2>&1 || ! command -v dbus-send >/dev/null 2>&1; then
    cannot_run "no D-Bus session tools"
fi
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate
done
if [ -z "$launcher" ]; then
    cannot_run "the AT-SPI bus (at-spi2-core) is not installed"
fi
# The bus starts on first use; Qt only connects to one that is already there.
# Its socket is named after a display the session bus does not have: a
# runtime folder of its own keeps it from other sessions' (see a11y_lib.sh).
XDG_RUNTIME_DIR=$work dbus-run-session -- bash -c '
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null || { echo "FAIL: the AT-SPI bus did not start"; exit 1; }
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"' bash "$program" "$@"
