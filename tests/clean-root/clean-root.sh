#!/usr/bin/env bash
# The README's test command on a machine that has nothing but Debian 12: a minimal root made with
# debootstrap in a scratch folder, with only git, make and ca-certificates added, a fresh clone of
# this repository's HEAD copied into it, and `make test` (or the make targets given) run there as
# root with an empty environment: no display, no session bus, nothing of this machine's but its
# kernel and its apt sources. The mirror and the sources are this machine's own, read at run time.
# Needs root (debootstrap, chroot, mounts).
#
#   tests/clean-root/clean-root.sh [TARGET...]      (default: test)
# KALPENO_CLEAN_ROOT_KEEP=1 keeps the root (its folder is printed) for a look afterwards.
set -euo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)
targets=("${@:-test}")
[[ $(id -u) -eq 0 ]] || { echo "clean-root: must run as root" >&2; exit 2; }
# In a mount namespace of its own: no mount made here reaches this machine, and all of them end
# with the run, however it ends.
if [[ -z ${KALPENO_CLEAN_ROOT_NS:-} ]]; then
    KALPENO_CLEAN_ROOT_NS=1 exec unshare --mount --propagation private -- "$0" "${targets[@]}"
fi

# The first Debian mirror of this machine's apt sources (deb822 or one-line form).
mirror=$( { cat /etc/apt/sources.list.d/*.sources 2>/dev/null | sed -n 's/^URIs:[[:space:]]*//p'
            sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]\+\).*/\2/p' \
                /etc/apt/sources.list 2>/dev/null || true; } | tr ' ' '\n' | grep -v -- '-security' |
            head -1 || true)
[[ -n $mirror ]] || { echo "clean-root: no Debian mirror in /etc/apt" >&2; exit 2; }

scratch=$(mktemp -d "${TMPDIR:-/var/tmp}/kalpeno-clean-root.XXXXXX")
root=$scratch/root
cleanup() {
    local status=$?
    if [[ -n ${KALPENO_CLEAN_ROOT_KEEP:-} ]]; then
        echo "clean-root: the root is kept in $root"
    else
        for m in tmp dev sys proc; do umount -R "$root/$m" 2>/dev/null || true; done
        rm -rf --one-file-system "$scratch"
    fi
    exit "$status"
}
trap cleanup EXIT

started=$SECONDS
echo "clean-root: debootstrap bookworm from $mirror into $root"
debootstrap --variant=minbase --include=git,make,ca-certificates bookworm "$root" "$mirror" \
    > "$scratch/debootstrap.log" 2>&1 || { tail -20 "$scratch/debootstrap.log" >&2; exit 1; }

# This machine's sources, so that the root gets its packages where this machine gets them.
rm -f "$root/etc/apt/sources.list"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [[ -f $f ]] && cp "$f" "$root$f"
done
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
# No service of a package installed there may start: the root has no init of its own.
printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"

mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --rbind /dev "$root/dev"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
mount -t tmpfs -o mode=1777 tmp "$root/tmp"

git clone -q --no-local "$source" "$root/root/kalpeno"
echo "clean-root: debootstrap took $((SECONDS - started)) s; make ${targets[*]} in the root"
chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root /bin/bash -c 'cd /root/kalpeno && make "$@"' make "${targets[@]}"
echo "clean-root: passed in $((SECONDS - started)) s"
