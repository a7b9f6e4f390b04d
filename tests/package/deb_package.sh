#!/usr/bin/env bash
# Builds the Debian package from the build folder with CPack and checks it:
# the files it holds (dpkg-deb -c), dependencies found by dpkg-shlibdeps, the
# menu entry (desktop-file-validate) and the AppStream metainfo
# (appstreamcli validate --no-net, when the tool is installed).
#   deb_package.sh <build folder>
# Exit 77 (skipped) when the Debian packaging tools are missing.
set -u
build=${1:?usage: deb_package.sh <build folder>}

fail() { echo "FAIL: $*"; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (packages cmake and dpkg-dev)"
        exit 77
    fi
done
[ -f "$build/CPackConfig.cmake" ] || fail "no CPackConfig.cmake in $build"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

started=$(date +%s%N)
cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
echo "cpack -G DEB: $(( ($(date +%s%N) - started) / 1000000 )) ms"
deb=$(ls "$work"/out/*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { cat "$work/cpack.log"; fail "cpack made no .deb"; }
echo "Package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/contents"
for path in ./usr/bin/curvalia-light \
            ./usr/share/applications/curvalia-light.desktop \
            ./usr/share/icons/hicolor/scalable/apps/curvalia-light.svg \
            ./usr/share/curvalia-light/CurvaliaHelp.doc \
            ./usr/share/metainfo/example.curvalia.CurvaliaLight.metainfo.xml \
            ./usr/share/mime/packages/curvalia-light.xml; do
    grep -qxF "$path" "$work/contents" || { cat "$work/contents"; fail "the package lacks $path"; }
done
# Nothing of the build or the tests is shipped.
extra=$(grep -vE '/$' "$work/contents" | grep -vE '^\./usr/(bin/curvalia-light|share/(applications|icons|curvalia-light|metainfo|mime/packages)/)')
[ -z "$extra" ] || fail "unexpected files in the package: $extra"

[ "$(dpkg-deb -f "$deb" Package)" = curvalia-light ] || fail "wrong package name"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6svg6 libqt6multimedia6 libqt6printsupport6 libc6; do
    [[ "$depends" == *"$lib"* ]] || fail "Depends does not name $lib"
done

dpkg-deb -x "$deb" "$work/root"
entry="$work/root/usr/share/applications/curvalia-light.desktop"
grep -qx 'Exec=curvalia-light %f' "$entry" || fail "the menu entry does not start curvalia-light with its file"
grep -qx 'MimeType=application/x-curvalia-session;' "$entry" || fail "the menu entry does not open sessions"
mime="$work/root/usr/share/mime/packages/curvalia-light.xml"
grep -q '<mime-type type="application/x-curvalia-session">' "$mime" || fail "the session type is not registered"
grep -q '<glob pattern="\*.curvalia"/>' "$mime" || fail "the session type does not name *.curvalia"
if command -v xmllint >/dev/null 2>&1; then
    xmllint --noout "$mime" || fail "the session type's file is not well-formed XML"
fi
# The menu entry starts the program where its help document is.
grep -qx 'Path=/usr/share/curvalia-light' "$entry" || fail "the menu entry's Path is not the help folder: $(grep '^Path' "$entry")"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$entry" || fail "desktop-file-validate refused the menu entry"
fi

metainfo="$work/root/usr/share/metainfo/example.curvalia.CurvaliaLight.metainfo.xml"
grep -q '<launchable type="desktop-id">curvalia-light.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not name the menu entry"
grep -q '<mediatype>application/x-curvalia-session</mediatype>' "$metainfo" ||
    fail "the metainfo does not provide the session type"
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refused the metainfo"
else
    echo "NOTE: appstreamcli is not installed (package appstream): metainfo not validated"
fi
echo "PASS"
