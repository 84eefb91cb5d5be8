#!/usr/bin/env bash
# Installs the build into a temporary prefix as a user would, checks every
# installed file, runs both programs from there, and checks the Debian
# package's contents and declared dependencies.
# usage: install_test.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: install_test.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/classe-e bin/classe-e-cli share/man/man1/classe-e.1.gz share/man/man1/classe-e-cli.1.gz \
         share/applications/classe-e.desktop share/icons/hicolor/scalable/apps/classe-e.svg; do
  [ -s "$prefix/$f" ] || fail "missing $f"
done
[ -x "$prefix/bin/classe-e" ] && [ -x "$prefix/bin/classe-e-cli" ] || fail "programs not executable"

# Each PNG icon is a square of its folder's size (width and height from the PNG header).
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/classe-e.png
  [ -s "$png" ] || fail "missing icon $size"
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || fail "icon $size is $dims"
done

desktop=$prefix/share/applications/classe-e.desktop
grep -qx 'Exec=classe-e' "$desktop" || fail "desktop entry does not start classe-e"
grep -qx 'Icon=classe-e' "$desktop" || fail "desktop entry has no icon"
grep -qx 'Categories=Science;Engineering;Electronics;' "$desktop" || fail "desktop categories"
grep -q '^Name=.*classe E' "$desktop" || fail "desktop entry name"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
zcat "$prefix/share/man/man1/classe-e-cli.1.gz" | grep -q '^\.SH' || fail "manual page"

# The installed command-line tool computes the default design.
"$prefix/bin/classe-e-cli" componenti | grep -qxF $'R\t9.044E+00\t[Ω]' || fail "classe-e-cli output"
"$prefix/bin/classe-e-cli" --help | grep -q 'classe-e-cli' || fail "classe-e-cli --help"

# The installed window starts and stays up until it is ended.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/classe-e" >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "classe-e ended by itself with status $status"

# The Debian package: built from the same install, with its dependencies declared.
if command -v dpkg-shlibdeps >/dev/null; then
  (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
  deb=$(ls "$work"/classe-e_*.deb)
  contents=$(dpkg-deb -c "$deb")
  for f in ./usr/bin/classe-e ./usr/bin/classe-e-cli ./usr/share/applications/classe-e.desktop \
           ./usr/share/icons/hicolor/48x48/apps/classe-e.png; do
    grep -q " $f\$" <<<"$contents" || fail "package lacks $f"
  done
  depends=$(dpkg-deb -f "$deb" Depends)
  for d in libqt6widgets6 libqt6svgwidgets6 qt6-qpa-plugins; do
    grep -q "$d" <<<"$depends" || fail "package does not depend on $d: $depends"
  done
fi
echo "installation checked in $prefix"
