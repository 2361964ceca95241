#!/usr/bin/env bash
# Installs what lumeq gamma needs on Debian 13 or 12, and only what is missing:
#   scripts/install-deps.sh linux     build and run the Linux edition (and its headless demo)
#   scripts/install-deps.sh windows   cross-build lumeq.exe and run it under Wine (and its demo)
#   scripts/install-deps.sh test      everything the test command builds and runs
# LUMEQ_NO_INSTALL=1 skips it all (a machine set up by hand): the build then names what is
# missing.
set -euo pipefail

# The build itself, whichever edition.
build=(cmake g++ make pkg-config python3)
# The Linux edition: Qt 6, the X libraries it links, and Wayland's (with its protocol compiler);
# a face of Windows' widths (Liberation Sans), so that the strip's text fits the same strip.
linux=(qt6-base-dev fonts-liberation2 libx11-dev libx11-xcb-dev libxrandr-dev libxxf86vm-dev libxcb1-dev
       libxcb-keysyms1-dev libxcb-randr0-dev libxcb-xinput-dev libwayland-dev libwayland-bin)
# A private headless X server with gamma (the demos and the tests), and what looks at it.
xserver=(xserver-xorg-core xserver-xorg-video-dummy openbox xdotool x11-utils libxxf86vm-dev libx11-dev)
# lumeq.exe: the cross compiler and Wine. Wine only recommends the X libraries below, and
# its gamma code needs libXxf86vm.
windows=(g++-mingw-w64-x86-64 wine wine64 fonts-wine
         libxxf86vm1 libxrandr2 libxrender1 libxcursor1 libxi6 libxinerama1 libxcomposite1 libxfixes3)
# The tests: unit tests and benchmarks, the fuzzers (clang), pictures and X tools, a tray
# host, an X server without RandR, a private session bus, a stand-in password database
# (nss_wrapper), a mocked GNOME and desktop portal on that bus (python-dbusmock), a real
# wlroots compositor run headless (sway, with Xwayland, and grim to see its screen), and the
# packages (file for CPack's Debian generator, dpkg-dev for dpkg-shlibdeps, appstreamcli for
# the metainfo).
# clang and its runtime (the fuzzers' libFuzzer) through Debian's meta packages, which follow
# the release's default LLVM (14 on Debian 12, 19 on Debian 13).
test=(libgtest-dev libbenchmark-dev clang libclang-rt-dev libxtst-dev x11-xserver-utils imagemagick trayer
      xvfb file dpkg-dev dbus appstream libnss-wrapper python3-dbusmock sway xwayland grim)

# The release decides nothing above today (every name is Debian 12's and 13's alike); a
# release we have not tried is told what is assumed, so that a missing name reads as such.
release=unknown
[ -r /etc/os-release ] && release=$(. /etc/os-release && echo "${ID:-}:${VERSION_CODENAME:-}")
case "$release" in
  debian:bookworm | debian:trixie) ;;
  *) [ "${LUMEQ_NO_INSTALL:-}" = 1 ] ||
       echo "lumeq: this is ${release#:}, not Debian 13 (trixie) or 12 (bookworm): assuming Debian 13's package names" >&2 ;;
esac

case "${1:-}" in
  linux) packages=("${build[@]}" "${linux[@]}" "${xserver[@]}") ;;
  windows) packages=("${build[@]}" "${windows[@]}" "${xserver[@]}") ;;
  test) packages=("${build[@]}" "${linux[@]}" "${xserver[@]}" "${windows[@]}" "${test[@]}") ;;
  *) echo "usage: $0 linux|windows|test" >&2; exit 2 ;;
esac
[ "${LUMEQ_NO_INSTALL:-}" = 1 ] && exit 0

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "lumeq: these Debian packages are missing and only root can install them:" >&2
    echo "  ${missing[*]}" >&2
    echo "Run this command as root, or install sudo (as root: apt-get install sudo) and try again." >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "lumeq: installing ${#missing[@]} Debian packages (a few minutes the first time): ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
echo "lumeq: apt-get update"
"${sudo[@]}" apt-get update -q
# One line per package as apt fetches and sets it up, so that a long install shows it works.
"${sudo[@]}" apt-get install -y -q --no-install-recommends -o Dpkg::Use-Pty=0 "${missing[@]}" |
  grep --line-buffered -E '^(Get:|Setting up|E:)' || true
still=()
for package in "${missing[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || still+=("$package")
done
if [ ${#still[@]} -ne 0 ]; then
  echo "lumeq: apt-get could not install: ${still[*]}" >&2
  exit 1
fi
echo "lumeq: packages installed"
