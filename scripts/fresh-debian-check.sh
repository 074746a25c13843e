#!/usr/bin/env bash
# Proves the README's two commands on a Debian 12 made from nothing: a
# minimal root from debootstrap, a clean clone of the current commit, then
# exactly what a new user types — install make, the install script, make test.
# Nothing is cached between runs, so a package missing from the install
# script fails here instead of on the user's machine.
#
#   scripts/fresh-debian-check.sh [REVISION]     (root; default HEAD)
#
# Set KEEP_ROOT=1 to keep the root afterwards (its path is printed).
set -euo pipefail

revision=${1:-HEAD}
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
repo=$(cd "$(dirname "$0")/.." && pwd)

if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-debian-check: debootstrap and chroot need root (sudo $0)" >&2
  exit 2
fi

need() { command -v "$1" >/dev/null 2>&1; }
if ! need debootstrap; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

work=$(mktemp -d /var/tmp/quorvan-fresh.XXXXXX)
root=$work/root

unmount_all() {
  # Deepest first; a busy mount is detached lazily so the removal below
  # never reaches through it into the machine's own /dev or /proc.
  for m in $(findmnt -rn -o TARGET | grep -F "$root" | sort -r); do
    umount -l "$m" 2>/dev/null || true
  done
}
cleanup() {
  unmount_all
  if [ "${KEEP_ROOT:-0}" = 1 ]; then
    echo "fresh-debian-check: root kept in $root"
  elif ! findmnt -rn -o TARGET | grep -qF "$root"; then
    rm -rf --one-file-system "$work"
  else
    echo "fresh-debian-check: $root still has mounts, left in place" >&2
  fi
}
trap cleanup EXIT

stamp() { date +%s; }
t0=$(stamp)
echo "== debootstrap bookworm (minbase) into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 \
  || { tail -20 "$work/debootstrap.log"; exit 1; }
t1=$(stamp)

mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"
mount -t sysfs sysfs "$root/sys"
cp /etc/resolv.conf "$root/etc/resolv.conf"

echo "== clean clone of $revision"
git clone -q --no-local "$repo" "$root/root/quorvan"
git -C "$root/root/quorvan" checkout -q "$(git -C "$repo" rev-parse "$revision")"

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive CI="${CI:-}" /bin/bash -c "$1"
}

echo "== the README's first step: apt-get install make"
in_root 'apt-get update -qq && apt-get install -y -qq make >/dev/null'
t2=$(stamp)
echo "== scripts/install-deps.sh"
in_root 'cd /root/quorvan && bash scripts/install-deps.sh >/tmp/install-deps.log 2>&1 || { tail -30 /tmp/install-deps.log; exit 1; }'
t3=$(stamp)
echo "== make test"
in_root 'cd /root/quorvan && make test'
t4=$(stamp)

echo "fresh-debian-check: debootstrap $((t1 - t0)) s, make $((t2 - t1)) s," \
     "install-deps $((t3 - t2)) s, make test $((t4 - t3)) s, all $((t4 - t0)) s"
