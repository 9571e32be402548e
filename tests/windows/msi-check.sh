#!/usr/bin/env bash
# Installs, upgrades and removes the Windows installer under Wine's 64-bit msiexec, silently, in
# a fresh prefix, as IT would deploy it: the files, the Start-menu shortcut and the entry among
# the installed apps (in the 64-bit registry view) are checked after installing; the installed
# program is used as the zip's is, by PROGRAM_CHECK (given the installed folder and LOGGER); a
# copy with a higher
# version must replace the first; removal must leave no file, shortcut or key; and a prefix
# that claims Windows 8.1 must be refused. Fails when any step does.
#   tests/windows/msi-check.sh MSI ZIP ICON [PROGRAM_CHECK LOGGER]
set -euo pipefail
[ $# -eq 3 ] || [ $# -eq 5 ] || { echo "usage: $0 MSI ZIP ICON [PROGRAM_CHECK LOGGER]" >&2; exit 2; }
msi=$(realpath "$1")
zip=$(realpath "$2")
icon=$(realpath "$3")
program_check=${4:-}
logger=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
make_msi=$here/../../packaging/windows/make-msi.sh

wine=/usr/lib/wine/wine64
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-msi-check.XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all DISPLAY=
# No Mono or Gecko, and no shortcuts or file associations reaching the host's menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/checks.sh"

program_files=$WINEPREFIX/drive_c/Program\ Files/Quorvel
# Windows puts a per-machine install's shortcut in the common Start menu; Wine's msi keeps to the
# user's, so either counts.
shortcuts=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvel.lnk"
    "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quorvel.lnk")
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# msiexec takes Windows paths: a Unix one would read as a switch.
msiexec() { "$wine" msiexec "$1" "$("$wine" winepath -w "$2")" "${@:3}"; }
# The registry keys below $1 that hold "DisplayName"/"ProductName" Quorvel, as "key|name=value|..."
# lines.
entries() {
    "$wine" reg query "$1" /s 2>/dev/null | tr -d '\r' | awk '
        /^HKEY_/ { key = $0; next }
        /^    [^ ]/ {
            line = substr($0, 5); n = index(line, "    ")
            rest = substr(line, n + 4); m = index(rest, "    ")
            values[key] = values[key] "|" substr(line, 1, n - 1) "=" (m ? substr(rest, m + 4) : "")
        }
        END { for (k in values) if (values[k] ~ /\|(Display|Product)Name=Quorvel(\||$)/) print k values[k] }'
}
entry_has() { entries "$uninstall_key" | grep -F -- "|$1" ; }
one_entry() { [ "$(entries "$uninstall_key" | wc -l)" -eq 1 ]; }
no_entry() {
    [ -z "$(entries "$uninstall_key")" ] && no_wow64_entry &&
        [ -z "$(entries 'HKLM\Software\Classes\Installer\Products')" ]
}
no_wow64_entry() { [ -z "$(entries 'HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall')" ]; }
no_key() { ! "$wine" reg query 'HKLM\Software\Quorvel' >/dev/null 2>&1; }
# Every file of the zip is installed, byte for byte.
same_files_as_zip() {
    rm -rf "$work/zip" && unzip -q "$zip" -d "$work/zip"
    local top
    top=$(find "$work/zip" -mindepth 1 -maxdepth 1 -type d)
    diff -r "$top" "$program_files"
}
absent() { for path; do [ ! -e "$path" ] || return 1; done; }
shortcut_made() { [ -f "${shortcuts[0]}" ] || [ -f "${shortcuts[1]}" ]; }
# The installed apps show the icon that the installer keeps as the product's icon.
icon_kept() {
    local icon
    icon=$(entries 'HKLM\Software\Classes\Installer\Products' | grep -o 'ProductIcon=[^|]*') &&
        [ -f "$("$wine" winepath -u "${icon#ProductIcon=}")" ]
}
# Wine's msiexec does not log a launch condition's message with /qn; the package must tie it to
# the condition.
says_why() {
    msiinfo export "$msi" LaunchCondition | grep -F 'WINDOWSBUILD >= 17763' | grep -F 'needs 64-bit Windows 10'
}

"$wine" wineboot --init >/dev/null 2>&1
"$wine" winecfg -v win10 >/dev/null 2>&1
version=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" { print $2 }')

check "msiexec /i /qn installs $version" msiexec /i "$msi" /qn
check "the zip's files are installed under Program Files\\Quorvel" same_files_as_zip
check "the Start-menu shortcut is made" shortcut_made
check "the installed apps list Quorvel $version in the 64-bit view" entry_has "DisplayVersion=$version"
check "its entry names the publisher" entry_has "Publisher=The Quorvel developers"
check "its entry names the help link" entry_has "HelpLink=https://www.quorvel.org/"
check "its entry shows the icon" icon_kept
check "no entry in the 32-bit view" no_wow64_entry
if [ -n "$program_check" ]; then
    check "the installed program passes the program check" "$program_check" "$program_files" "$logger"
fi

newer=$work/newer.msi
"$make_msi" "$zip" "${version%.*}.$((${version##*.} + 1))" "$icon" "$newer"
newer_version=$(msiinfo export "$newer" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" { print $2 }')
check "msiexec /i /qn installs $newer_version over $version" msiexec /i "$newer" /qn
check "the newer version replaced the older: one entry" one_entry
check "the one entry is $newer_version" entry_has "DisplayVersion=$newer_version"
check "the files are still in place" same_files_as_zip

check "msiexec /x /qn removes it" msiexec /x "$newer" /qn
check "no file or folder is left" absent "$program_files"
check "no shortcut is left" absent "${shortcuts[@]}"
check "no installed-apps entry is left" no_entry
check "no registry key is left" no_key

"$wine" winecfg -v win81 >/dev/null 2>&1
refused() { ! msiexec /i "$msi" /qn; }
check "Windows 8.1 is refused" refused
check "the refusal says why" says_why
check "nothing is installed on Windows 8.1" absent "$program_files"

finish
