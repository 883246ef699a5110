#!/usr/bin/env bash
# Runs a command in a fresh minimal Debian root, where a newcomer stands:
#   tools/fresh-root.sh RELEASE COMMAND...     RELEASE is 12 (bookworm) or 13 (trixie)
# e.g. tools/fresh-root.sh 13 tools/test.sh
#
# The root is debootstrap's minbase with git and the CA certificates, from the Debian mirror
# the host's apt uses, and trusts the authorities the host trusts. The committed checkout is
# cloned into /root/levelwise, COMMAND runs there as root with a clean environment, its output
# is printed and its exit status returned. The root's mounts and processes live in private
# mount and PID namespaces, so nothing stays mounted or running after it, even when it is
# interrupted; the root itself is removed afterwards.
#
# Kept between runs, in $LEVELWISE_FRESH_ROOT_CACHE (/var/cache/levelwise-fresh-root): the
# bare debootstrap result of each release (made anew after a week) and the .deb files apt
# downloaded, linked into each root and back out of it, so that roots may run side by side.
# A root with the project's packages installed is never kept.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# Inside the namespaces: mount what the root needs, then run the command in it.
if [ "${1:-}" = --inside ]; then
    root=$2
    shift 2
    mount --rbind /dev "$root/dev"
    mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"
    mount -t proc -o nosuid,nodev,noexec proc "$root/proc"
    mount --rbind /sys "$root/sys"
    chroot "$root" update-ca-certificates >/dev/null 2>&1 ||
        { echo "levelwise: update-ca-certificates failed in the root" >&2; exit 1; }
    # What a root shell on a new machine has, and the host's settings that point at the
    # certificate bundle or tune this project's tests.
    environment=(HOME=/root TERM="${TERM:-dumb}"
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
    while IFS='=' read -r name _; do
        case $name in
        CI | LEVELWISE_* | SSL_CERT_FILE | SSL_CERT_DIR | NODE_EXTRA_CA_CERTS | CURL_CA_BUNDLE | \
            GIT_SSL_CAINFO | REQUESTS_CA_BUNDLE)
            environment+=("$name=${!name}") ;;
        esac
    done < <(env)
    exec chroot "$root" /usr/bin/env -i "${environment[@]}" \
        bash -c 'cd /root/levelwise && exec "$@"' fresh-root "$@"
fi

if [ $# -lt 2 ]; then
    echo "usage: tools/fresh-root.sh RELEASE COMMAND..." >&2
    exit 2
fi
case $1 in
12 | bookworm) codename=bookworm ;;
13 | trixie) codename=trixie ;;
*) echo "levelwise: unknown Debian release '$1' (12 or 13)" >&2; exit 2 ;;
esac
shift
if [ "$(id -u)" -ne 0 ]; then
    echo "levelwise: a fresh root needs root (debootstrap, chroot and namespaces)" >&2
    exit 1
fi
repo=$(git -C "$here" rev-parse --show-toplevel)
source "$here/packages.sh"
levelwise_require_packages debootstrap ca-certificates

# The host's Debian mirrors: "URI SUITE" for every source apt reads, in one-line or deb822 form.
host_sources() {
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && awk '$1 == "deb" { i = 2; if ($2 ~ /^\[/) while ($i !~ /\]$/) i++;
            if ($2 ~ /^\[/) i++; print $i, $(i + 1) }' "$file"
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && awk 'function flush() { if (uris != "" && enabled)
                { n = split(uris, u, " "); m = split(suites, s, " ");
                  for (i = 1; i <= n; i++) for (j = 1; j <= m; j++) print u[i], s[j] }
                uris = ""; suites = ""; enabled = 1 }
            BEGIN { enabled = 1 }
            /^[ \t]*$/ { flush(); next }
            tolower($1) == "uris:" { $1 = ""; uris = $0 }
            tolower($1) == "suites:" { $1 = ""; suites = $0 }
            tolower($1) == "enabled:" && tolower($2) == "no" { enabled = 0 }
            END { flush() }' "$file"
    done
}
mirror=$(host_sources | awk '$2 !~ /-security$/ && $1 ~ /\/debian\/?$/ { print $1; exit }')
security=$(host_sources | awk '$2 ~ /-security$/ { print $1; exit }')
mirror=${mirror:-http://deb.debian.org/debian}
security=${security:-${mirror%/debian*}/debian-security}

cache=${LEVELWISE_FRESH_ROOT_CACHE:-/var/cache/levelwise-fresh-root}/$codename
mkdir -p "$cache/archives" "$cache/debootstrap"

# The bare root, made once a week: debootstrap takes minutes, unpacking it seconds.
base=$cache/base.tar
exec 9>"$cache/lock"
flock 9
if [ -z "$(find "$base" -mtime -7 2>/dev/null)" ]; then
    echo "levelwise: making a minimal Debian $codename root from $mirror" >&2
    staging=$(mktemp -d "$cache/staging.XXXXXX")
    debootstrap --variant=minbase --include=git,ca-certificates --cache-dir="$cache/debootstrap" \
        "$codename" "$staging" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
        { tail -n 20 "$cache/debootstrap.log" >&2; rm -rf --one-file-system "$staging"; exit 1; }
    tar -C "$staging" -cf "$base.new" .
    mv "$base.new" "$base"
    rm -rf --one-file-system "$staging"
fi
flock -u 9

# Roots of earlier runs that were killed before they could remove theirs.
for old in /var/tmp/levelwise-root.*; do
    [ -f "$old.pid" ] && kill -0 "$(cat "$old.pid")" 2>/dev/null && continue
    [ -d "$old" ] && rm -rf --one-file-system "$old" "$old.pid"
done
root=$(mktemp -d /var/tmp/levelwise-root.XXXXXX)
echo $$ >"$root.pid"
# Only this namespace ever sees the root's mounts, so removing it cannot reach into the host.
remove_root() { rm -rf --one-file-system "$root" "$root.pid"; }
trap remove_root EXIT

tar -C "$root" -xf "$base"
chmod 755 "$root"
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $codename main
deb $mirror $codename-updates main
deb $security $codename-security main
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Services that packages would start belong to a booted machine, not to a build root.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
if compgen -G '/usr/local/share/ca-certificates/*' >/dev/null; then
    cp -r /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
fi
git clone --quiet --no-hardlinks "$repo" "$root/root/levelwise"
# Hard links where the cache and the root share a file system, copies where they do not.
link_debs() { # FROM TO
    local deb
    for deb in "$1"/*.deb; do
        [ -e "$deb" ] && [ ! -e "$2/${deb##*/}" ] || continue
        ln "$deb" "$2/" 2>/dev/null || cp "$deb" "$2/"
    done
}
link_debs "$cache/archives" "$root/var/cache/apt/archives"

started=$SECONDS
status=0
# In a process group of its own (set -m), so that an interruption reaches it only through
# these traps, which end it and, with it, every process in its namespace. unshare ignores
# INT and TERM while it waits for its child, so it is killed outright; its child, PID 1 of
# the namespace, dies with it (--kill-child), and every other process of the namespace too.
set -m
unshare --mount --propagation private --pid --fork --kill-child \
    "$here/fresh-root.sh" --inside "$root" "$@" </dev/null &
child=$!
set +m
for signal in INT TERM HUP; do
    trap "kill -KILL $child 2>/dev/null; wait $child; exit 130" $signal
done
wait $child || status=$?
echo "levelwise: '$*' in a fresh Debian $codename root: exit status $status after $((SECONDS - started)) s" >&2
link_debs "$root/var/cache/apt/archives" "$cache/archives"
# The downloaded packages that no run has used for a month are dropped.
find "$cache/archives" -maxdepth 1 -name '*.deb' -atime +30 -delete
exit $status
