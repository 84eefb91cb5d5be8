#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The classe-e developers
# SPDX-License-Identifier: MIT

# Installs the build into a temporary prefix as a user would, checks every
# installed file, runs both programs from there, and checks the Debian
# package: contents, declared relations, AppStream metadata and lintian.
# usage: install_test.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: install_test.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
export LC_ALL=C.UTF-8

fail() { echo "FAIL: $*" >&2; exit 1; }
# The set-up installs every tool used here; a missing one is a fault, not a skip.
for tool in dpkg-shlibdeps desktop-file-validate appstreamcli lintian; do
  command -v "$tool" >/dev/null || fail "$tool missing: run scripts/setup"
done

cmake --install "$build" --prefix "$prefix" >/dev/null

metainfo=share/metainfo/io.github.classe_e.classe_e.metainfo.xml
for f in bin/classe-e bin/classe-e-cli share/man/man1/classe-e.1.gz share/man/man1/classe-e-cli.1.gz \
         share/applications/classe-e.desktop share/icons/hicolor/scalable/apps/classe-e.svg \
         $metainfo share/doc/classe-e/copyright share/doc/classe-e/changelog.gz; do
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
grep -qx 'Exec=classe-e %f' "$desktop" || fail "desktop entry does not start classe-e"
grep -qx 'MimeType=application/x-classe-e;' "$desktop" || fail "desktop entry opens no design file"
grep -q 'glob pattern="\*.classe"' "$prefix/share/mime/packages/classe-e.xml" || fail "no MIME type for design files"
[ -x "$prefix/libexec/classe-e/classe-e-report" ] || fail "no report tool"
grep -qx 'Icon=classe-e' "$desktop" || fail "desktop entry has no icon"
grep -qx 'Categories=Science;Engineering;Electronics;' "$desktop" || fail "desktop categories"
grep -q '^Name=.*classe E' "$desktop" || fail "desktop entry name"
desktop-file-validate "$desktop"
manual=$(zcat "$prefix/share/man/man1/classe-e-cli.1.gz") || fail "manual page"
grep -q '^\.SH' <<<"$manual" || fail "manual page"

# The metainfo: nothing reported at any level, pedantic hints included.
report=$(appstreamcli validate --no-net --pedantic --strict "$prefix/$metainfo" 2>&1) ||
  fail "appstreamcli validate: $report"
! grep -E '^ *[EWIP]: ' <<<"$report" || fail "appstreamcli validate reports the lines above"

# The copyright file is machine-readable (DEP-5): each licence it names is
# written out, as in LICENSES/, and each path it names is a file of the tree.
source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
/usr/bin/python3 - "$prefix/share/doc/classe-e/copyright" "$source_dir" <<'EOF' || fail "copyright file"
import os, sys
from debian.copyright import Copyright
copyright_file, source = sys.argv[1:]
with open(copyright_file, encoding="utf-8") as f:
    parsed = Copyright(f, strict=True)
texts = {p.license.synopsis: p.license.text for p in parsed.all_license_paragraphs()}
spdx = {"Expat": "MIT"}  # Debian's name of the MIT licence
faults = []
for paragraph in parsed.all_files_paragraphs():
    if paragraph.license.synopsis not in texts:
        faults.append(f"licence {paragraph.license.synopsis} not written out")
    faults += [f"{p} names no file" for p in paragraph.files
               if p != "*" and not os.path.exists(os.path.join(source, p))]
for name, text in texts.items():
    with open(os.path.join(source, "LICENSES", spdx.get(name, name) + ".txt"), encoding="utf-8") as f:
        if " ".join(text.split()) not in " ".join(f.read().split()):
            faults.append(f"licence {name} differs from LICENSES/")
print("\n".join(faults), file=sys.stderr)
sys.exit(bool(faults))
EOF

# The releases of the metainfo and the entries of the changelog: the same
# versions, newest first, the installed version among them.
releases=$(grep -o '<release version="[^"]*"' "$prefix/$metainfo" | cut -d'"' -f2)
entries=$(zcat "$prefix/share/doc/classe-e/changelog.gz" | sed -n 's/^classe-e (\([^)]*\)).*/\1/p')
[ "$releases" = "$entries" ] || fail "metainfo releases [$releases] and changelog [$entries] differ"
sort -C -r -V <<<"$releases" || fail "releases not newest first: $releases"
version=$("$prefix/bin/classe-e-cli" --version | cut -d' ' -f2)
grep -qx "$version" <<<"$releases" || fail "version $version has no release notes"

# The installed command-line tool computes the default design.
design=$("$prefix/bin/classe-e-cli" componenti) || fail "classe-e-cli output"
grep -qxF $'R\t9.044E+00\t[Ω]' <<<"$design" || fail "classe-e-cli output"
# Read whole first: grep -q stops at the first match, and the rest of the
# usage text would then meet a closed pipe.
help=$("$prefix/bin/classe-e-cli" --help) || fail "classe-e-cli --help"
grep -q 'classe-e-cli' <<<"$help" || fail "classe-e-cli --help"

# The installed window starts and stays up until it is ended.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/classe-e" >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "classe-e ended by itself with status $status"

# The Debian package: built from the same install, with its relations declared.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$work"/classe-e_*.deb)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/classe-e ./usr/bin/classe-e-cli ./usr/share/applications/classe-e.desktop \
         ./usr/share/icons/hicolor/48x48/apps/classe-e.png ./usr/$metainfo \
         ./usr/share/doc/classe-e/copyright ./usr/share/doc/classe-e/changelog.gz; do
  grep -q " $f\$" <<<"$contents" || fail "package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6svgwidgets6 qt6-qpa-plugins; do
  grep -q "$d" <<<"$depends" || fail "package does not depend on $d: $depends"
done
grep -qw ngspice <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "package does not recommend ngspice"
maintainer=$(sed -n 's/^CLASSE_MAINTAINER:STRING=//p' "$build/CMakeCache.txt")
[ "$(dpkg-deb -f "$deb" Maintainer)" = "$maintainer" ] || fail "package maintainer is not $maintainer"

# The unpacked package as a software centre reads it: the metainfo's
# launchable desktop entry and icon must be where it says.
dpkg-deb -x "$deb" "$work/root"
report=$(appstreamcli validate-tree --no-net --pedantic --strict "$work/root" 2>&1) ||
  fail "appstreamcli validate-tree: $report"
! grep -E '^ *[EWIP]: ' <<<"$report" || fail "appstreamcli validate-tree reports the lines above"

# lintian: no error and no warning; the informational and pedantic tags are shown.
allow_root=()
[ "$(id -u)" -ne 0 ] || allow_root=(--allow-root)
status=0
tags=$(lintian "${allow_root[@]}" --display-info --pedantic --tag-display-limit 0 \
               --fail-on error,warning "$deb" 2>&1) || status=$?
[ -z "$tags" ] || echo "$tags"
[ "$status" -eq 0 ] && ! grep -qE '^[EW]: ' <<<"$tags" || fail "lintian reports errors or warnings"
# Informational tags that this package was cleared of, which should not return.
for tag in hardening-no-bindnow binary-has-unneeded-section extended-description-is-probably-too-short \
           spelling-error-in-description; do
  ! grep -qE ": $tag( |$)" <<<"$tags" || fail "lintian: $tag"
done
echo "installation checked in $prefix"
