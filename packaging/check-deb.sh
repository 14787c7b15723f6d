#!/usr/bin/env bash
# Builds the Debian package in ./build-deb and proves it is sound: it holds only the program and
# its desktop files, and in a clean Debian 12 system it installs with what the mirror provides,
# starts, and leaves nothing behind when purged.
#
# Run by hand before a release, from anywhere in the checkout. It needs root for debootstrap and
# chroot (it uses sudo when not run as root) and a Debian mirror. The clean system is made once
# and kept in $ORMIZA_DEBOOTSTRAP_CACHE (default /var/cache/ormiza-debootstrap); every run works
# on a fresh copy of it, so no run sees what an earlier one installed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build-deb
cache=${ORMIZA_DEBOOTSTRAP_CACHE:-/var/cache/ormiza-debootstrap}
jobs=${ORMIZA_JOBS:-$(nproc)}

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

failures=0
fail() {
    echo "check-deb: FAIL: $*" >&2
    failures=$((failures + 1))
}
die() {
    echo "check-deb: $*" >&2
    exit 1
}

# --- The package --------------------------------------------------------------------------------

scripts/deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORMIZA_TESTS=OFF -DORMIZA_BENCH=OFF \
    >/dev/null
cmake --build "$build" -j"$jobs"
rm -f "$build"/ormiza_*.deb
cpack --config "$build/CPackConfig.cmake" -B "$build" >/dev/null
debs=("$build"/ormiza_*.deb)
if [ ! -f "${debs[0]}" ] || [ ${#debs[@]} -ne 1 ]; then
    die "cpack did not make exactly one ormiza_*.deb"
fi
deb=${debs[0]}
deb_size=$(stat -c %s "$deb")

echo "package: $(basename "$deb"), $deb_size bytes"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"

# The Qt libraries come from dpkg-shlibdeps; the platform plugins and the font are loaded at run
# time, so the package has to name them itself.
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation2; do
    grep -Eq "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends does not name $p: $depends"
done

# Only the program and its desktop integration belong in the package: no test programs, static
# libraries, headers or CMake files that an install rule elsewhere in the tree might add.
allowed='^\./usr/(bin/ormiza|share/applications/[^/]+\.desktop|share/metainfo/[^/]+\.metainfo\.xml|share/icons/hicolor/[^/]+/apps/ormiza\.(png|svg))$'
mapfile -t entries < <(dpkg-deb --fsys-tarfile "$deb" | tar -t)
files=()
for e in "${entries[@]}"; do
    if [[ $e != */ ]]; then
        files+=("$e")
        [[ $e =~ $allowed ]] || fail "the package holds $e"
    fi
done
for e in "${entries[@]}"; do
    if [[ $e == */ && $e != ./ ]]; then
        holds_file=no
        for f in "${files[@]}"; do
            if [[ $f == "$e"* ]]; then
                holds_file=yes
                break
            fi
        done
        [ "$holds_file" = yes ] || fail "the package holds the directory $e with no file in it"
    fi
done

# --- A clean Debian 12 system -------------------------------------------------------------------

# The Debian sources this machine's apt uses, as "URI SUITE" lines: bookworm itself first, then
# its updates and security suites. Set ORMIZA_DEBIAN_MIRROR to use another mirror for all of them.
debian_sources() {
    if [ -n "${ORMIZA_DEBIAN_MIRROR:-}" ]; then
        echo "$ORMIZA_DEBIAN_MIRROR bookworm"
        return
    fi
    apt-cache policy | awk '
        $2 ~ /^[a-z+]+:\/\// { uri = $2; split($3, where, "/"); suite = where[1]; comp = where[2]; next }
        $1 == "release" && uri != "" {
            if (comp == "main" && $0 ~ /[ ,]o=Debian(,|$)/ && $0 ~ /[ ,]n=bookworm(-[a-z]+)?(,|$)/)
                print uri, suite
            uri = ""
        }' | sort -u -k2,2
}
mapfile -t sources < <(debian_sources)
mirror=""
for s in "${sources[@]}"; do
    if [ "${s#* }" = bookworm ]; then
        mirror=${s%% *}
    fi
done
[ -n "$mirror" ] || die "no Debian bookworm mirror in this machine's apt sources (run apt-get update, or set ORMIZA_DEBIAN_MIRROR)"

unmount_under() { # everything mounted at or below $1, deepest first
    local m
    for m in $(awk -v d="$1" '$2 == d || index($2, d "/") == 1 { print $2 }' /proc/mounts | sort -r); do
        $sudo umount "$m" || $sudo umount -l "$m"
    done
}

if [ ! -d "$cache/bookworm" ]; then
    if ! command -v debootstrap >/dev/null; then
        $sudo apt-get update -q
        $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap
    fi
    # Made beside the cache and renamed when complete, so an interrupted run is not mistaken for
    # a usable system by the next one.
    $sudo mkdir -p "$cache"
    unmount_under "$cache/bookworm.partial"
    $sudo rm -rf --one-file-system "$cache/bookworm.partial"
    echo "check-deb: making a minimal Debian 12 system in $cache from $mirror"
    $sudo debootstrap --variant=minbase bookworm "$cache/bookworm.partial" "$mirror"
    $sudo mv "$cache/bookworm.partial" "$cache/bookworm"
fi

scratch=$(mktemp -d "${TMPDIR:-/var/tmp}/ormiza-check.XXXXXX")
root=$scratch/root
cleanup() {
    unmount_under "$root"
    $sudo rm -rf --one-file-system "$scratch"
}
trap cleanup EXIT

$sudo cp -a "$cache/bookworm" "$root"
$sudo rm -f "$root/etc/resolv.conf"
$sudo cp -L /etc/resolv.conf "$root/etc/resolv.conf"
for s in "${sources[@]}"; do
    echo "deb ${s%% *} ${s#* } main"
done | $sudo tee "$root/etc/apt/sources.list" >/dev/null
# Nothing the dependencies bring may start a service on the machine running the check.
printf '#!/bin/sh\nexit 101\n' | $sudo tee "$root/usr/sbin/policy-rc.d" >/dev/null
$sudo chmod 755 "$root/usr/sbin/policy-rc.d"
$sudo cp "$deb" "$root/tmp/"
$sudo mount -t proc proc "$root/proc"

in_root() {
    $sudo chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# --- Install, start, purge ----------------------------------------------------------------------

install_result="FAILED"
start_result="not run"
remove_result="not run"
installed_size="?"
pulled_in="?"
fetched="?"

in_root apt-get update -q >"$scratch/update.log" 2>&1 || {
    cat "$scratch/update.log"
    die "apt-get update failed in the clean system"
}
in_root dpkg-query -W -f '${Package}\n' | sort >"$scratch/before"
# Without recommends, so that a missing Depends cannot be hidden by a recommended package.
if in_root sh -c 'cd /tmp && apt-get install -y --no-install-recommends ./ormiza_*.deb' \
    >"$scratch/install.log" 2>&1; then
    install_result="OK"
else
    cat "$scratch/install.log"
    fail "apt-get install of the package"
fi
in_root dpkg-query -W -f '${Package}\n' | sort >"$scratch/after"
pulled_in=$(comm -13 "$scratch/before" "$scratch/after" | grep -cvx ormiza || true)
fetched=$(sed -n 's/^Need to get \([0-9.,]* [kMG]*B\).*/\1/p' "$scratch/install.log")
fetched=${fetched:-nothing}
grep -E '^(Need to get|After this operation)' "$scratch/install.log" || true

if [ "$install_result" = OK ]; then
    installed_size="$(in_root dpkg-query -W -f '${Installed-Size}' ormiza) KiB"

    in_root sh -c 'command -v ormiza' || fail "ormiza is not on PATH"
    for f in /usr/share/applications/org.ormiza.Ormiza.desktop \
        /usr/share/metainfo/org.ormiza.Ormiza.metainfo.xml \
        /usr/share/icons/hicolor/32x32/apps/ormiza.png; do
        [ -s "$root$f" ] || fail "$f is not installed"
    done
    larger_icon=no
    for icon in "$root"/usr/share/icons/hicolor/*x*/apps/ormiza.png; do
        size=${icon%/apps/*}
        size=${size##*/}
        if [ -s "$icon" ] && [ "${size%%x*}" -gt 32 ]; then
            larger_icon=yes
        fi
    done
    [ "$larger_icon" = yes ] || fail "no hicolor icon larger than 32x32 is installed"

    # The window stays open until it is closed, so a program that is still running when the
    # timeout ends it (status 124) has come up with every library and plugin it needs.
    status=0
    in_root sh -c 'QT_QPA_PLATFORM=offscreen timeout -k 5 5 ormiza' >"$scratch/run.log" 2>&1 || status=$?
    sed 's/^/ormiza: /' "$scratch/run.log"
    if [ "$status" -eq 124 ]; then
        start_result="OK (running after 5 s)"
    else
        start_result="FAILED (exit status $status)"
        fail "ormiza ended with status $status instead of running until the timeout"
    fi

    in_root dpkg -L ormiza >"$scratch/files"
    if in_root apt-get remove --purge -y ormiza >"$scratch/remove.log" 2>&1; then
        remove_result="OK"
    else
        cat "$scratch/remove.log"
        remove_result="FAILED"
        fail "apt-get remove --purge ormiza"
    fi
    state=$(in_root dpkg-query -W -f '${db:Status-Abbrev}' ormiza 2>/dev/null || true)
    if [ -n "$state" ] && [ "${state:1:1}" != n ]; then
        remove_result="FAILED"
        fail "dpkg still knows ormiza after the purge: $state"
    fi
    # A directory may stay when another package owns it or something else lives in it.
    while IFS= read -r path; do
        p=$root$path
        if [ -L "$p" ] || [ -f "$p" ]; then
            remove_result="FAILED"
            fail "$path is left after the purge"
        elif [ -d "$p" ] && [ -z "$(ls -A "$p")" ] && ! in_root dpkg-query -S "$path" >/dev/null 2>&1; then
            remove_result="FAILED"
            fail "the empty directory $path is left after the purge"
        fi
    done <"$scratch/files"
fi

echo
echo "summary"
echo "  package:        $(basename "$deb"), $deb_size bytes"
echo "  installed size: $installed_size"
echo "  pulled in:      $pulled_in packages besides ormiza, $fetched downloaded"
echo "  install:        $install_result"
echo "  start:          $start_result"
echo "  remove --purge: $remove_result"
if [ "$failures" -ne 0 ]; then
    echo "check-deb: $failures check(s) failed" >&2
    exit 1
fi
echo "check-deb: all checks passed"
