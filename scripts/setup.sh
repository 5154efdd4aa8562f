#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12 (run as root), and
# creates the project's Wine prefix. Safe to run again: it only does what is missing.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

packages=(
  # build
  cmake ninja-build g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  libz-mingw-w64-dev
  # running Windows programs
  wine wine32:i386 wine64 xvfb xauth fonts-wine
  # test fixtures and oracles
  qemu-utils dosfstools mtools ntfs-3g fdisk sleuthkit imagemagick zip libvhdi-utils python3 testdisk
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  missing+=(wine32:i386)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update -qq
  apt-get -o DPkg::Lock::Timeout=600 install -y -qq "${missing[@]}" >/dev/null
fi

# The Wine prefix: 32-bit, with the Wine fonts copied in (Tahoma, Marlett and the rest are not
# found through fontconfig alone).
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating Wine prefix $WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -d "$fonts" ] && [ ! -f "$fonts/tahoma.ttf" ]; then
  cp /usr/share/wine/fonts/*.ttf "$fonts/"
fi
[ -f "$WINEPREFIX/system.reg" ] || { echo "setup: the Wine prefix could not be created" >&2; exit 1; }
# With no window manager on the display, Wine draws the windows' frames and captions itself, so that
# pictures of the screen show windows as a person sees them.
if ! grep -q '"Decorated"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  wineserver -w || true
fi
