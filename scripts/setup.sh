#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12 (run as root), and
# creates the project's Wine prefix. Safe to run again: it only does what is missing.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

packages=(
  # build
  cmake ninja-build g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  libz-mingw-w64-dev zlib1g-dev libstb-dev libopenjp2-7-dev dpkg-dev
  # running Windows programs
  wine wine32:i386 wine64 xvfb xauth fonts-wine
  # test fixtures and oracles
  qemu-utils dosfstools mtools ntfs-3g fdisk sleuthkit imagemagick zip libvhdi-utils python3 testdisk
  libopenjp2-tools pandoc python3-dbf gcab libarchive-tools python3-ezdxf python3-gi gir1.2-gsf-1
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
  # A mirror caught mid-sync serves an index of the wrong size for one architecture: apt then drops
  # that index, the i386 packages no longer match the amd64 ones they must equal (multi-arch
  # libraries), and the install fails. The index is fetched again a few times; when it stays broken,
  # the packages come from the release and its updates alone, whose architectures are always in step.
  installed=0
  for attempt in 1 2 3; do
    apt-get -o DPkg::Lock::Timeout=600 update -qq || true
    if apt-get -o DPkg::Lock::Timeout=600 install -y -qq "${missing[@]}" >/dev/null; then
      installed=1
      break
    fi
    echo "setup: the install failed (attempt $attempt); fetching the package index again in 30 s" >&2
    sleep 30
  done
  if [ $installed -eq 0 ]; then
    echo "setup: installing from the release and its updates alone" >&2
    work=$(mktemp -d)
    printf 'deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main\n%s\n' \
      'deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-updates main' \
      >"$work/sources.list"
    mkdir -p "$work/lists/partial"
    release_only=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
                  -o Dir::State::Lists="$work/lists" -o DPkg::Lock::Timeout=600)
    apt-get "${release_only[@]}" update -qq &&
      apt-get "${release_only[@]}" install -y -qq "${missing[@]}" >/dev/null && installed=1
    rm -rf "$work"
  fi
  [ $installed -eq 1 ] || { echo "setup: the packages could not be installed" >&2; exit 1; }
fi

# Libraries that Debian packages only for the host, built for the Windows target from Debian's own
# sources and installed into the mingw sysroot: openjpeg (JPEG 2000 previews).
mingw_root=/usr/i686-w64-mingw32
# fetch_debian_source SOURCE-PACKAGE WORK: Debian's sources of a package, unpacked in WORK/src.
fetch_debian_source() {
  local pkg=$1 work=$2
  # A throw-away source list: the system's lists and sources stay as they are.
  printf 'deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main\n' \
    >"$work/sources.list"
  mkdir -p "$work/lists/partial"
  local apt_opts=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
                  -o Dir::State::Lists="$work/lists" -o DPkg::Lock::Timeout=600)
  (cd "$work" && apt-get -qq "${apt_opts[@]}" update && apt-get -qq "${apt_opts[@]}" source --download-only "$pkg") \
      >/dev/null 2>&1 &&
    dpkg-source -x --no-check "$work"/"$pkg"_*.dsc "$work/src" >/dev/null
}
build_mingw_source() {  # build_mingw_source SOURCE-PACKAGE CMAKE-ARGS...
  local pkg=$1 work
  shift
  work=$(mktemp -d)
  # Called in a test of its result, where set -e does not count: each step depends on the last.
  fetch_debian_source "$pkg" "$work" &&
    cmake -S "$work/src" -B "$work/build" -G Ninja -Wno-dev -Wno-deprecated \
      -DCMAKE_TOOLCHAIN_FILE="$MORVICK_ROOT/cmake/mingw32.cmake" -DCMAKE_CROSSCOMPILING_EMULATOR= \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$mingw_root" "$@" >/dev/null &&
    cmake --build "$work/build" >/dev/null &&
    cmake --install "$work/build" >/dev/null
  local rc=$?
  rm -rf "$work"
  return $rc
}
if [ ! -f "$mingw_root/lib/libopenjp2.a" ]; then
  echo "setup: building openjpeg for Windows from Debian's sources"
  build_mingw_source openjpeg2 -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_CODEC=OFF \
    -DBUILD_TESTING=OFF || echo "setup: openjpeg could not be built; JPEG 2000 previews show their placeholder" >&2
fi

# minizip's unzip (zip listings) is packaged neither for mingw nor as sources: its files come from
# Debian's zlib source package, and every configuration compiles them (preview/archives).
minizip_src=/usr/local/src/minizip
if [ ! -f "$minizip_src/unzip.c" ]; then
  echo "setup: taking minizip's unzip from Debian's zlib sources"
  work=$(mktemp -d)
  if fetch_debian_source zlib "$work"; then
    mkdir -p "$minizip_src"
    cp "$work"/src/contrib/minizip/{unzip.c,unzip.h,ioapi.c,ioapi.h,crypt.h,MiniZip64_info.txt} "$minizip_src/"
  else
    echo "setup: minizip's sources could not be fetched; zip listings are not built" >&2
  fi
  rm -rf "$work"
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
# Windows are left to a window manager as usual (there is none under Xvfb: the galleries draw the
# frames themselves). An earlier set-up made Wine draw them, which changes how dialogs are activated.
if grep -q '"Decorated"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1
  wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Decorated /f >/dev/null 2>&1
  wineserver -w || true
fi
