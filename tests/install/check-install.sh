#!/usr/bin/env bash
# Installs a build into a temporary DESTDIR and checks the installed tree:
# exactly the expected files, executables runnable without a display, the
# manual pages readable and without roff warnings, the desktop entries and
# the AppStream metainfo valid.
# Usage: check-install.sh BUILD_DIR SOURCE_DIR PREFIX VERSION AUTOSTART_WRITER
set -euo pipefail
build=$1 src=$2 prefix=$3 version=$4 autostart_writer=$5
here=$(dirname "$0")
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }

DESTDIR=$dest cmake --install "$build" >/dev/null
root=$dest$prefix
[ -d "$root" ] || fail "nothing installed under $prefix"

expected=$("$here/expected-files.sh" "$src")
installed=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if [ "$expected" != "$installed" ]; then
    diff <(echo "$expected") <(echo "$installed") >&2 || true
    fail "the installed files differ from the expected ones (< expected, > installed)"
fi
outside=$(find "$dest" -type f ! -path "$root/*")
[ -z "$outside" ] || fail "installed outside the prefix: $outside"

for program in padrix padrix-joytest; do
    [ -x "$root/bin/$program" ] || fail "$program is not executable"
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/bin/$program" --version)
    [ "$out" = "$program $version" ] || fail "$program --version printed '$out'"
done

for page in padrix padrix-joytest; do
    file=$root/share/man/man1/$page.1.gz
    gzip -t "$file" || fail "$page.1.gz is no gzip file"
    warnings=$(zcat "$file" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
    zcat "$file" | grep -q "^\.SH EXIT STATUS" || fail "$page.1 has no exit status"
done
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps.sh test installs it)"
done
app_id=io.github.padrix.Padrix
desktop-file-validate "$root/share/applications/$app_id.desktop" \
    || fail "$app_id.desktop is no valid desktop entry"
appstreamcli validate --no-net "$root/share/metainfo/$app_id.metainfo.xml" >&2 \
    || fail "$app_id.metainfo.xml is no valid AppStream metainfo"
# The program's path as installed, and one that needs quoting and escaping.
for program in "$root/bin/padrix" "$dest/it's a \"\$dir\" 100%/bin/padrix"; do
    autostart=$("$autostart_writer" "$dest/config" "$program") \
        || fail "no autostart entry for $program"
    desktop-file-validate "$autostart" || fail "the autostart entry for $program is not valid"
done

zcat "$root/share/doc/padrix/changelog.gz" | head -1 | grep -q "^padrix ($version)" \
    || fail "the changelog does not start with version $version"
echo "installed tree complete: $(echo "$installed" | wc -l) files"
