#!/usr/bin/env bash
# Runs the README's two commands as a new user would, on a fresh minimal Debian 13 or 12: a
# debootstrap minbase chroot (cached as a tarball between runs), git installed in it, the
# current commit cloned into it, then scripts/run.sh and scripts/test.sh as root, timed.
# Needs root and the Debian mirror; not part of CI.
#
#   scripts/check-fresh.sh               both commands on Debian 13
#   scripts/check-fresh.sh --suite S     S is trixie (Debian 13, the default) or bookworm (Debian 12)
#   scripts/check-fresh.sh --run-only    only the run command
#   scripts/check-fresh.sh --keep        leave the chroot (its path is printed) for a look
#   scripts/check-fresh.sh --without PKG everything installed, then PKG removed: both commands
#                                        (install step skipped) must fail and name it
# LUMEQ_FRESH_CACHE (default ~/.cache/lumeq) holds the tarballs; LUMEQ_FRESH_WORK the chroots.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

run_only=0
keep=0
without=
suite=trixie
while [ $# -gt 0 ]; do
  case "$1" in
    --run-only) run_only=1 ;;
    --keep) keep=1 ;;
    --without) without=${2:?}; shift ;;
    --suite) suite=${2:?}; shift ;;
    *) echo "usage: $0 [--suite trixie|bookworm] [--run-only] [--keep] [--without PACKAGE]" >&2; exit 2 ;;
  esac
  shift
done
case "$suite" in
  trixie) release="Debian 13" ;;
  bookworm) release="Debian 12" ;;
  *) echo "check-fresh: --suite takes trixie (Debian 13) or bookworm (Debian 12)" >&2; exit 2 ;;
esac
if [ "$(id -u)" -ne 0 ]; then
  echo "check-fresh: needs root (debootstrap, chroot and mounts)" >&2
  exit 2
fi
command -v debootstrap >/dev/null || { echo "check-fresh: needs debootstrap (apt-get install debootstrap)" >&2; exit 2; }

# The mirror apt on this machine already uses.
mirror=$(sed -n 's/^URIs: *\(http[^ ]*\/debian\)\/\?$/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
[ -n "$mirror" ] || mirror=$(awk '$1 == "deb" && $2 ~ /\/debian\/?$/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian
mirror=${mirror%/}

cache=${LUMEQ_FRESH_CACHE:-$HOME/.cache/lumeq}
tarball=$cache/$suite-minbase.tar
mkdir -p "$cache"
work=$(mktemp -d "${LUMEQ_FRESH_WORK:-/var/tmp}/lumeq-fresh.XXXXXX")
root=$work/root
mounted=()

cleanup() {
  local status=$?
  # Whatever a command left running inside the chroot, found by its root, ended by PID.
  local pids=()
  for link in /proc/[0-9]*/root; do
    [ "$(readlink "$link" 2>/dev/null)" = "$root" ] && pids+=("$(basename "$(dirname "$link")")")
  done
  if [ ${#pids[@]} -gt 0 ]; then
    kill -TERM "${pids[@]}" 2>/dev/null || true
    sleep 2
    kill -KILL "${pids[@]}" 2>/dev/null || true
  fi
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[$i]}" 2>/dev/null || umount -R -l "${mounted[$i]}" 2>/dev/null || true
  done
  if [ "$keep" = 1 ]; then
    echo "check-fresh: the chroot stays at $root"
  else
    # Never remove a tree that still has something mounted inside.
    if ! grep -q " $work/" /proc/mounts; then rm -rf "$work"; fi
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir -p "$root"
if [ -f "$tarball" ]; then
  echo "check-fresh: a fresh $release minbase from $tarball"
  tar -C "$root" -xf "$tarball"
else
  echo "check-fresh: debootstrap --variant=minbase $suite from $mirror (about a minute)"
  debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log"; exit 1; }
  tar -C "$root" -cf "$tarball.part" . && mv "$tarball.part" "$tarball"
fi
# As a fresh install has it: the release, its updates and its security fixes.
security=${mirror%/debian}/debian-security
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
deb $security $suite-security main
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf"

for point in proc sys dev; do
  case $point in
    proc) mount -t proc proc "$root/proc" ;;
    sys) mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys" ;;
    dev) mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" ;;
  esac
  mounted+=("$root/$point")
done

inside() {
  env -i HOME=/root TERM=dumb LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    chroot "$root" /bin/bash -c "$1"
}

# What the README asks of a fresh machine before the first command: git (and root).
echo "check-fresh: apt-get install git"
inside 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends git ca-certificates >/dev/null'
git -C "$source_dir" bundle create "$work/lumeq.bundle" HEAD >/dev/null 2>&1
cp "$work/lumeq.bundle" "$root/root/lumeq.bundle"
inside 'git clone -q /root/lumeq.bundle /root/lumeq'
echo "check-fresh: cloned $(git -C "$source_dir" rev-parse --short HEAD) into the chroot"

if [ -n "$without" ]; then
  inside "cd /root/lumeq && scripts/install-deps.sh test >/dev/null && apt-get purge -y -qq $without >/dev/null"
  echo "check-fresh: $without removed"
  status=0
  for command in "scripts/run.sh" "scripts/test.sh"; do
    if inside "cd /root/lumeq && LUMEQ_NO_INSTALL=1 $command" >"$work/without.log" 2>&1; then
      echo "check-fresh: $command passed without $without"; status=1
    elif grep -q -- "$without" "$work/without.log"; then
      echo "check-fresh: $command fails and names it:"; grep -B2 -A1 -- "$without" "$work/without.log" | head -n 8
    else
      echo "check-fresh: $command fails without naming $without:"; tail -n 15 "$work/without.log"; status=1
    fi
  done
  exit $status
fi

failed=()
timed() {
  local name=$1 command=$2 started=$SECONDS
  echo "check-fresh: ==== $command"
  if inside "cd /root/lumeq && $command" 2>&1 | tee "$work/$name.log"; [ "${PIPESTATUS[0]}" -eq 0 ]; then
    echo "check-fresh: ==== $command passed in $((SECONDS - started)) s"
  else
    echo "check-fresh: ==== $command FAILED after $((SECONDS - started)) s"
    failed+=("$command")
  fi
}
timed run "scripts/run.sh"
[ "$run_only" = 1 ] || timed test "scripts/test.sh"

if [ ${#failed[@]} -ne 0 ]; then
  echo "check-fresh: failed on a fresh $release: ${failed[*]}"
  if [ -f "$work/test.log" ]; then
    grep -E '(\*\*\*Failed|Timeout|Not Run|FAIL:|Error)' "$work/test.log" | head -n 40 || true
  fi
  exit 1
fi
echo "check-fresh: both commands pass on a fresh $release"
