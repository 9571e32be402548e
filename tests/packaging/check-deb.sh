#!/usr/bin/env bash
# Builds the Debian package as the install steps do (dpkg-buildpackage, without its tests) in a
# scratch copy of the source, has lintian check it and hardening-check its binaries, unpacks it
# into a scratch root and checks what a desktop and dpkg rely on: the files and where they go,
# the desktop entry and the AppStream metainfo, the icon sizes, and that the declared
# dependencies bring every library the program loads. Finally starts the unpacked program
# headless, and without any display, where it must end with one line and status 1.
#   check-deb.sh
set -euo pipefail

readonly app_id=org.quorvel.Quorvel
readonly icon_sizes=(16 22 24 32 48 64 128 256)
# The browser platform, loaded by the program on the first click of its web link.
readonly browser_module=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/quorvel/libquorvel-gio.so
# The program runs its event loop until stopped; alive after this many seconds it started.
readonly run_seconds=3
# A display number where no X server listens.
readonly absent_display=:77

source_dir=$(realpath "$(dirname "$0")/../..")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The package is built from a copy, as dpkg-buildpackage writes beside the source and into its
# parent folder.
copy=$scratch/source
"$source_dir/scripts/copy-source.sh" "$copy"
# Its time stamps from debian/changelog, as dpkg sets them, whatever the caller's.
(cd "$copy" && env -u SOURCE_DATE_EPOCH DEB_BUILD_OPTIONS=nocheck \
    dpkg-buildpackage -us -uc -b -Pnocheck) >"$scratch/build.log" 2>&1 ||
    { tail -n 60 "$scratch/build.log" >&2; exit 1; }
version=$(dpkg-parsechangelog -l "$copy/debian/changelog" -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
deb=$scratch/quorvel_${version}_$arch.deb
for made in "$deb" "$scratch/quorvel-dbgsym_${version}_$arch.deb" \
    "$scratch/quorvel_${version}_$arch.buildinfo" "$scratch/quorvel_${version}_$arch.changes"; do
    [ -f "$made" ] || fail "dpkg-buildpackage made no ${made##*/}"
done
[ -f "$deb" ] || exit 1

# --- Debian's policy checks: any error, warning or note (such as a hardening one) fails.
# lintian advises against running as root, so root hands it to nobody, with a copy of the
# package in a folder of nobody's own, where lintian starts: the test's working folder may sit
# where only root may go (a home of mode 0700, a mktemp -d folder).
if command -v lintian >/dev/null; then
    lint=(lintian "--fail-on=error,warning,info" --display-info)
    package=$deb
    lint_dir=$PWD
    if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
        lint_dir=$(mktemp -d -p /tmp quorvel-lint.XXXXXX)
        trap 'rm -rf "$scratch" "$lint_dir"' EXIT
        # Also nobody's home and temporary folder, which root's may not be.
        chown nobody "$lint_dir"
        package=$lint_dir/$(basename "$deb")
        cp "$deb" "$package"
        chmod 644 "$package"
        lint=(runuser -u nobody -- env HOME="$lint_dir" TMPDIR="$lint_dir" "${lint[@]}")
    fi
    (cd "$lint_dir" && "${lint[@]}" "$package") ||
        fail "lintian reports the errors, warnings or notes above"
else
    echo "SKIP: lintian is not installed, so Debian's policy checks of the package did not run"
fi

# --- The files and where they go.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$scratch/contents"
expected=(/usr/bin/quorvel "$browser_module" "/usr/share/applications/$app_id.desktop"
          "/usr/share/metainfo/$app_id.metainfo.xml"
          "/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
          /usr/share/man/man1/quorvel.1.gz /usr/share/doc/quorvel/copyright
          /usr/share/doc/quorvel/changelog.gz /usr/share/doc/quorvel/dating.md)
for size in "${icon_sizes[@]}"; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for path in "${expected[@]}"; do
    grep -qx -- "$path" "$scratch/contents" || fail "package lacks $path"
done
# Nothing outside the system prefix, and no file besides the expected ones.
grep -v '/$' "$scratch/contents" | while read -r path; do
    case " ${expected[*]} " in
    *" $path "*) ;;
    *) echo "FAIL: unexpected file $path" >&2; exit 1 ;;
    esac
done || failures=$((failures + 1))

root=$scratch/root
dpkg -x "$deb" "$root"

# --- Debian's hardening as its checker finds it: PIE, the stack protector, the checked C library
# functions, RELRO and BIND_NOW (control-flow protection cannot be marked on Debian 12, whose
# C library start files carry no CET note). The browser module calls no C library function
# that the compiler could check.
hardening-check --quiet --nocfprotection "$root/usr/bin/quorvel" ||
    fail "hardening-check finds a hardening feature missing in the program"
hardening-check --quiet --nocfprotection --nofortify "$root$browser_module" ||
    fail "hardening-check finds a hardening feature missing in the browser module"

# --- The desktop entry, the metainfo and the icons.
desktop=$root/usr/share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon_name" = "$app_id" ] || fail "Icon=$icon_name is not the installed icon $app_id"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "metainfo does not validate"
for size in "${icon_sizes[@]}"; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    got=$(file -b "$icon")
    [[ $got == "PNG image data, $size x $size,"* ]] || fail "icon ${size}x$size is $got"
done

# --- Every library the program loads comes from a declared dependency.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
declared=$(tr ',' '\n' <<<"$depends" | sed 's/(.*)//; s/|.*//; s/ //g')
grep -qx fonts-liberation2 <<<"$declared" || fail "the window's font is not a dependency"
ldd "$root/usr/bin/quorvel" "$root$browser_module" >"$scratch/ldd"
if grep -q 'not found' "$scratch/ldd"; then
    fail "unresolved libraries: $(grep 'not found' "$scratch/ldd")"
fi

# Everything the declared dependencies bring, following Depends and Pre-Depends.
closure() {
    local -A seen=()
    local queue=("$@") package next
    while [ ${#queue[@]} -gt 0 ]; do
        package=${queue[0]}
        queue=("${queue[@]:1}")
        [ -n "${seen[$package]:-}" ] && continue
        seen[$package]=1
        echo "$package"
        next=$(dpkg-query -W -f='${Depends},${Pre-Depends}' "$package" 2>/dev/null || true)
        # Alternatives and virtual names count alike: whichever is installed came through.
        for next in $(tr ',|' '\n\n' <<<"$next" | sed 's/(.*)//; s/:any//; s/ //g'); do
            if [ -z "${seen[$next]:-}" ]; then
                queue+=("$next")
            fi
        done
    done
}
# shellcheck disable=SC2086 # one package name a word
closure $declared | sort -u >"$scratch/brought"

# The packages that own the libraries, asked once for all; merged /usr puts a library under
# /lib or /usr/lib for dpkg depending on how it was packaged, so both are asked.
awk '$2 == "=>" && $3 ~ /^\// {print $3}' "$scratch/ldd" | xargs -r realpath |
    sed -E 's|^/usr(/lib/)|\1|' | sort -u >"$scratch/libs"
sed 's|^|/usr|' "$scratch/libs" | cat - "$scratch/libs" | xargs -r dpkg -S 2>/dev/null |
    sed -E 's|^([^:]+)(:[^:]*)?: /(usr/)?|\1 /|' >"$scratch/owners" || true
while read -r lib; do
    package=$(awk -v lib="$lib" '$2 == lib {print $1; exit}' "$scratch/owners")
    if [ -z "$package" ]; then
        fail "$lib belongs to no package"
    elif ! grep -qx -- "$package" "$scratch/brought"; then
        fail "$lib comes from $package, which no declared dependency brings"
    fi
done <"$scratch/libs"

# --- The unpacked program starts and keeps running.
set +e
QT_QPA_PLATFORM=offscreen timeout "$run_seconds" "$root/usr/bin/quorvel" 2>"$scratch/run.log"
status=$?
set -e
[ $status -eq 124 ] || { cat "$scratch/run.log" >&2; fail "the program ended with $status"; }

# --- With no display at all, or one where nothing listens: one line and status 1, no abort.
for display in "" "$absent_display"; do
    set +e
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ${display:+DISPLAY=$display} \
        timeout "$run_seconds" "$root/usr/bin/quorvel" 2>"$scratch/run.log"
    status=$?
    set -e
    lines=$(wc -l <"$scratch/run.log")
    if [ $status -ne 1 ] || [ "$lines" -ne 1 ] ||
        ! grep -q 'graphical desktop session is needed' "$scratch/run.log"; then
        cat "$scratch/run.log" >&2
        fail "with DISPLAY='$display' the program ended with $status after $lines line(s)"
    fi
done

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package $(basename "$deb") checked"
