# Shared by run.sh and test.sh: install what is missing, then configure and build.
# Sourced, not run.

CURVALIA_PACKAGES=(qt6-base-dev qt6-svg-dev qt6-multimedia-dev cmake ninja-build g++ libgtest-dev libbenchmark-dev
                   xvfb xauth xdotool imagemagick fonts-liberation libmuparser-dev desktop-file-utils
                   dpkg-dev file appstream clang-format openbox x11-utils
                   dbus at-spi2-core python3-pyatspi dbus-daemon dbus-bin qt6-translations-l10n xdg-utils
                   orca poppler-utils)

curvalia_install_missing() {
    local missing=()
    for pkg in "${CURVALIA_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing Debian packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
            return 1
        fi
    fi
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# curvalia_build <build dir> [extra cmake arguments...]
curvalia_build() {
    local dir=$1; shift
    cmake -S "$CURVALIA_ROOT" -B "$dir" -G Ninja "$@"
    cmake --build "$dir"
}
