#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian packages that scripts/package built (lintian has checked them there) for what
# a user gets: the source package's format and upstream tarball, the control fields, no
# maintainer scripts, the file list with the documentation, the dependencies computed from the
# programs' libraries, no build folder or /usr/local in the programs, and the unpacked programs
# answering without touching a home.
# Usage: debian-package.sh SOURCE_DIR PACKAGE_DIR (PACKAGE_DIR: scripts/package's build/packages)
set -uo pipefail
src=$(cd "$1" && pwd) out=$(cd "$2" && pwd)
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(sed -n 's/^project(Movrand VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
app_id=$(sed -n 's/^set(MOVRAND_APP_ID "\(.*\)")/\1/p' "$src/cmake/Identity.cmake")
maintainer=$(sed -n 's/^set(MOVRAND_MAINTAINER "\(.*\)")/\1/p' "$src/cmake/Identity.cmake")
package_version=$(cd "$src" && dpkg-parsechangelog -S Version)
[ "${package_version%-*}" = "$version" ] ||
  fail "debian/changelog's version $package_version is not the program's $version"
debs=("$out"/movrand_"$package_version"_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}
dsc=$out/movrand_$package_version.dsc
[ -f "$out/movrand_${package_version}_$(dpkg --print-architecture).changes" ] || fail "no .changes"

# The source package: an upstream tarball without debian/, and the Debian part beside it.
grep -qx 'Format: 3.0 (quilt)' "$dsc" || fail "$(basename "$dsc") is not 3.0 (quilt)"
orig=$out/movrand_$version.orig.tar.xz
[ -f "$orig" ] && [ -f "$out/movrand_$package_version.debian.tar.xz" ] || fail "source package parts"
members=$(tar -tJf "$orig") || fail "tar -t $orig"
! grep -q "^movrand-$version/debian/" <<<"$members" || fail "the upstream tarball holds debian/"
grep -qx "movrand-$version/CMakeLists.txt" <<<"$members" || fail "the upstream tarball lacks CMakeLists.txt"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = movrand ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$package_version" ] ||
  fail "Version: $(field Version), expected $package_version"
[ "$(field Section)" = utils ] || fail "Section: $(field Section)"
[ "$(field Suggests)" = wine ] || fail "Suggests: $(field Suggests)"
[ -z "$(field Recommends)" ] || fail "Recommends: $(field Recommends)"
# The maintainer is kept in cmake/Identity.cmake; debian/ carries copies of it.
[ "$(field Maintainer)" = "$maintainer" ] || fail "Maintainer: $(field Maintainer), expected $maintainer"
[ "$(cd "$src" && dpkg-parsechangelog -S Maintainer)" = "$maintainer" ] ||
  fail "debian/changelog names another maintainer than cmake/Identity.cmake"
long=$(field Description | awk 'length > 80')
[ -z "$long" ] || fail "description lines longer than 80 columns: $long"
scripts=$(dpkg-deb -I "$deb" | grep -oE '\b(pre|post)(inst|rm)\b' | sort -u | tr '\n' ' ')
[ -z "$scripts" ] || fail "maintainer scripts: $scripts"

root=$work/root
rm -rf "$root"
dpkg -x "$deb" "$root" || fail "dpkg -x"
expected="./usr/bin/movrand
./usr/bin/movrand-cli
./usr/lib/movrand/libmovrand_webengine.so
./usr/share/applications/movrand.desktop
./usr/share/doc/movrand/README.md
./usr/share/doc/movrand/changelog.Debian.gz
./usr/share/doc/movrand/changelog.gz
./usr/share/doc/movrand/copyright
./usr/share/icons/hicolor/128x128/apps/movrand.png
./usr/share/icons/hicolor/16x16/apps/movrand.png
./usr/share/icons/hicolor/256x256/apps/movrand.png
./usr/share/icons/hicolor/32x32/apps/movrand.png
./usr/share/icons/hicolor/48x48/apps/movrand.png
./usr/share/icons/hicolor/64x64/apps/movrand.png
./usr/share/icons/hicolor/scalable/apps/movrand.svg
./usr/share/lintian/overrides/movrand
./usr/share/man/man1/movrand-cli.1.gz
./usr/share/man/man1/movrand.1.gz
./usr/share/metainfo/$app_id.metainfo.xml"
actual=$(cd "$root" && find . ! -type d | LC_ALL=C sort)
[ "$actual" = "$(LC_ALL=C sort <<<"$expected")" ] || {
  diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual"); fail "file list"; }
cmp -s "$root/usr/share/doc/movrand/copyright" "$src/debian/copyright" || fail "copyright file"
cmp -s "$root/usr/share/doc/movrand/README.md" "$src/README.md" || fail "README.md"
grep -q "project_license>GPL-3.0-or-later<" "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "the AppStream description names no licence"
! grep -rlI '\.example\b' "$root" || fail "an installed text file names a placeholder host"

# Every library that a program (or a library of its own) links directly, or loads by name when
# first needed, comes from a package the .deb depends on; no program carries the build folder or
# /usr/local, where a library could be planted for it to load.
depends=$(field Depends)
depend_names=$(sed 's/ *([^)]*)//g; s/ *[,|] */\n/g' <<<"$depends")
for program in $(find "$root" -type f); do
  [ "$(head -c 4 "$program" | tail -c 3 | tr -d '\0')" = ELF ] || continue
  loaded=$(strings -a "$program" | grep -xE 'lib[A-Za-z0-9_+-]+\.so\.[0-9]+' | sort -u)
  for soname in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p') $loaded; do
    owners=$(dpkg -S "*/$soname" 2>/dev/null | sed 's/: .*//; s/, /\n/g' | sed 's/:.*//' | sort -u)
    [ -n "$owners" ] || fail "no package holds $soname"
    found=no
    for owner in $owners; do
      grep -qxF "$owner" <<<"$depend_names" && found=yes
    done
    [ $found = yes ] || fail "$(basename "$program") links $soname ($owners), Depends: $depends"
  done
  for path in "$out" "$(cd "$src" && pwd)" /usr/local; do
    ! strings -a "$program" | grep -qF "$path" || fail "$(basename "$program") names $path"
  done
done

# Both programs answer without a display, settings or a Wine prefix, and write nothing; the
# desktop program refuses what it does not know before anything else.
home=$work/home
rm -rf "$home"
mkdir -p "$home"
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_DATA_HOME="$home/data" WINEPREFIX="$home/prefix" "$root/usr/bin/$@"
}
for program in movrand-cli movrand; do
  out_text=$(run "$program" --version) || fail "$program --version failed"
  [ "$out_text" = "$program $version" ] || fail "$program --version printed: $out_text"
  # Read whole before it is searched: grep -q would stop reading at the first line, and the
  # program's further writes into the closed pipe would end it with SIGPIPE.
  help_text=$(run "$program" -h) || fail "$program -h failed"
  grep -q "^Usage: movrand\|^movrand-cli \[" <<<"$help_text" || fail "$program -h printed: $help_text"
  zcat "$root/usr/share/man/man1/$program.1.gz" | grep '^\.TH' | sed 's/\\-/-/g' |
    grep -qF "\"$program $version\"" ||
    fail "the manual page of $program does not name version $version"
done
err_text=$(run movrand --foo 2>&1 >/dev/null)
status=$?
[ $status -eq 2 ] || fail "movrand --foo ended with $status"
grep -q "^movrand: unknown argument --foo" <<<"$err_text" || fail "movrand --foo said: $err_text"
[ -z "$(ls -A "$home")" ] || fail "the programs wrote into the home folder: $(ls -A "$home")"
echo "ok: $(basename "$deb") $(basename "$dsc")"
