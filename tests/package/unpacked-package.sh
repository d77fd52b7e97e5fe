#!/usr/bin/env bash
# Makes the .deb from a built tree, unpacks it into a scratch root (dpkg -x) and checks what a
# user gets: the file list, the dependencies computed from the programs' libraries, the
# recommended wine, and the unpacked programs answering --version without touching a home.
# Usage: unpacked-package.sh CPACK BUILD_DIR VERSION APP_ID [MORE_FILES...]
# MORE_FILES: further files the build installs, relative to /usr (a library of the build's own).
set -uo pipefail
cpack=$1 build=$2 version=$3 app_id=$4
shift 4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && "$cpack" -G DEB -B "$work/out") >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = movrand ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), expected $version"
[ "$(field Recommends)" = wine ] || fail "Recommends: $(field Recommends)"

root=$work/root
dpkg -x "$deb" "$root" || fail "dpkg -x"
expected="./usr/bin/movrand
./usr/bin/movrand-cli
./usr/share/applications/movrand.desktop
./usr/share/icons/hicolor/128x128/apps/movrand.png
./usr/share/icons/hicolor/16x16/apps/movrand.png
./usr/share/icons/hicolor/256x256/apps/movrand.png
./usr/share/icons/hicolor/32x32/apps/movrand.png
./usr/share/icons/hicolor/48x48/apps/movrand.png
./usr/share/icons/hicolor/64x64/apps/movrand.png
./usr/share/icons/hicolor/scalable/apps/movrand.svg
./usr/share/man/man1/movrand-cli.1.gz
./usr/share/man/man1/movrand.1.gz
./usr/share/metainfo/$app_id.metainfo.xml"
for more in "$@"; do expected+=$'\n'"./usr/$more"; done
actual=$(cd "$root" && find . ! -type d | LC_ALL=C sort)
[ "$actual" = "$(LC_ALL=C sort <<<"$expected")" ] || {
  diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual"); fail "file list"; }

# Every library that a program (or a library of its own) links directly comes from a package the
# .deb depends on.
depends=$(field Depends)
depend_names=$(sed 's/ *([^)]*)//g; s/ *[,|] */\n/g' <<<"$depends")
for program in $(find "$root" -type f); do
  [ "$(head -c 4 "$program" | tail -c 3)" = ELF ] || continue
  for soname in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    owners=$(dpkg -S "*/$soname" 2>/dev/null | sed 's/: .*//; s/, /\n/g' | sed 's/:.*//' | sort -u)
    [ -n "$owners" ] || fail "no package holds $soname"
    found=no
    for owner in $owners; do
      grep -qxF "$owner" <<<"$depend_names" && found=yes
    done
    [ $found = yes ] || fail "$(basename "$program") links $soname ($owners), Depends: $depends"
  done
done

# Both programs answer --version without a display, settings or a Wine prefix, and write nothing.
home=$work/home
mkdir -p "$home"
for program in movrand-cli movrand; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" \
        XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" WINEPREFIX="$home/prefix" \
        "$root/usr/bin/$program" --version) || fail "$program --version failed"
  [ "$out" = "$program $version" ] || fail "$program --version printed: $out"
  zcat "$root/usr/share/man/man1/$program.1.gz" | grep -q "\"$program $version\"" ||
    fail "the manual page of $program does not name version $version"
done
[ -z "$(ls -A "$home")" ] || fail "--version wrote into the home folder: $(ls -A "$home")"
echo "ok: $(basename "$deb")"
