#!/usr/bin/env bash
# Builds the Debian package from this build tree and checks what a user gets
# from it: its control fields, its files where desktops look for them, valid
# desktop and AppStream metadata, and binaries that start once unpacked.
#   check_debian_package.sh CPACK CPACK_CONFIG APP_ID VERSION STARTS_SOURCE
set -euo pipefail
cpack=$1
config=$2
id=$3
version=$4
starts=$5

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$cpack" --config "$config" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(echo "$work"/out/pellomarin_*.deb)
[ -f "$deb" ] || fail "no package in $(ls "$work/out")"
echo "built $(basename "$deb")"

# Control fields.
field() { dpkg-deb --field "$deb" "$1"; }
dpkg-deb --info "$deb" >/dev/null || fail "unreadable package"
[ "$(field Package)" = pellomarin ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture $(field Architecture)"
[ "$(field Section)" = science ] || fail "section $(field Section)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "maintainer $(field Maintainer)"
[[ "$(field Description)" == *gravitation* ]] || fail "description $(field Description)"
depends=$(field Depends)
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins libqt6svg6; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done

# Contents: the programs, the desktop files and the shipped starts, nothing else.
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/files"
{
    cat <<FILES
./usr/bin/pellomarin
./usr/bin/pellomarin-run
./usr/share/applications/$id.desktop
./usr/share/icons/hicolor/scalable/apps/$id.svg
./usr/share/metainfo/$id.metainfo.xml
./usr/share/mime/packages/$id.xml
FILES
    for start in "$starts"/*.pellomarin; do echo "./usr/share/pellomarin/starts/$(basename "$start")"; done
} | sort >"$work/expected"
diff -u "$work/expected" "$work/files" || fail "unexpected package contents"

root=$work/root
dpkg-deb --extract "$deb" "$root"
[ -x "$root/usr/bin/pellomarin" ] || fail "pellomarin is not executable"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry"
grep -qx "Icon=$id" "$root/usr/share/applications/$id.desktop" || fail "desktop entry names another icon"
# A file manager opens start files with the program: the entry takes the
# file and names the type, which the shared MIME database knows by extension.
grep -qx "Exec=pellomarin %f" "$root/usr/share/applications/$id.desktop" || fail "desktop entry takes no file"
mime_type=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$root/usr/share/applications/$id.desktop")
mkdir -p "$work/mime/packages"
cp "$root/usr/share/mime/packages/$id.xml" "$work/mime/packages/"
update-mime-database "$work/mime" || fail "MIME type"
grep -q "^$mime_type:\*\.pellomarin$" "$work/mime/globs" || fail "no *.pellomarin in MIME type $mime_type"
# Checks the metainfo against the desktop entry and the icon beside it.
appstreamcli validate-tree --no-net "$root" || fail "AppStream metadata"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "metainfo has no release $version"

# The application keeps running until it is stopped; by then it has stored
# its settings, so it got as far as its first simulation.
home=$work/home
mkdir -p "$home/config" "$home/runtime"
chmod 700 "$home/runtime"
status=0
HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime QT_QPA_PLATFORM=offscreen \
    timeout 3 "$root/usr/bin/pellomarin" >"$work/app.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$work/app.log"; fail "pellomarin exited with $status before it was stopped"; }
grep -q '^mass%200=1$' "$home/config/Pellomarin/Pellomarin.conf" || fail "pellomarin stored no settings"

"$root/usr/bin/pellomarin-run" --seed 7 --steps 10 --describe >"$work/run.log" ||
    fail "pellomarin-run exited with $?"
grep -q '^position:' "$work/run.log" || fail "pellomarin-run printed $(cat "$work/run.log")"
# The runner finds the installed starts, not the build tree's.
starts_dir=$root/usr/share/pellomarin/starts
cp "$starts_dir/figure-eight.pellomarin" "$starts_dir/copied.pellomarin"
"$root/usr/bin/pellomarin-run" --list-starts | grep -qx copied || fail "pellomarin-run lists other starts"
"$root/usr/bin/pellomarin-run" --start copied --steps 10 --describe >"$work/run.log" ||
    fail "pellomarin-run --start exited with $?"
echo "PASS"
