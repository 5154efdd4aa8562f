#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12 (run as root), and
# creates the project's Wine prefix (scripts/wine-prefix.sh). Safe to run again: it only does what is
# missing. It says first whether this machine runs 32-bit x86 programs: where it does not, the
# Windows programs are built and run as 64-bit programs under 64-bit Wine (scripts/windows-bits.sh).
#   --without-wine-prefix   everything but the Wine prefix (scripts/test.sh makes that a stage of its own)
# Every failure names its cause; the output of a step that failed is kept in build/logs/setup-*.log
# and its last lines are shown.
set -euo pipefail
SCRIPTS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$SCRIPTS/windows-bits.sh"
windows_bits_choose
echo "setup: $IA32_LINE"
[ -z "$WINDOWS_BITS_WHY" ] || [ "$IA32_RUNS" = no ] ||
  echo "setup: $WINDOWS_BITS_WHY: the Windows programs are built and run as 64-bit programs under 64-bit Wine"
source "$SCRIPTS/wine-env.sh"
LOGS="$MORVICK_ROOT/build/logs"
mkdir -p "$LOGS"

# logged NAME COMMAND...: runs the command with its output in build/logs/setup-NAME.log; where it
# fails, says so and shows the log's last lines.
logged() {
  local name=$1 log="$LOGS/setup-$1.log" status=0
  shift
  "$@" >"$log" 2>&1 || status=$?
  if [ $status -ne 0 ]; then
    echo "setup: $name failed (status $status): $*" >&2
    echo "setup: the last lines of build/logs/setup-$name.log:" >&2
    tail -n 15 "$log" | sed 's/^/  | /' >&2
  fi
  return $status
}

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
# The 64-bit Windows build, where it is the one that runs.
mingw_targets=(i686-w64-mingw32)
if [ "$MORVICK_WINDOWS_BITS" = 64 ]; then
  packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
  mingw_targets+=(x86_64-w64-mingw32)
fi

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
    if logged apt-install apt-get -o DPkg::Lock::Timeout=600 install -y -qq "${missing[@]}"; then
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
      logged apt-install apt-get "${release_only[@]}" install -y -qq "${missing[@]}" && installed=1
    rm -rf "$work"
  fi
  [ $installed -eq 1 ] || { echo "setup: the packages could not be installed (see above)" >&2; exit 1; }
fi

# Libraries that Debian packages only for the host, built for each Windows target from Debian's own
# sources and installed into its mingw sysroot: openjpeg (JPEG 2000 previews).
# fetch_debian_source SOURCE-PACKAGE WORK: Debian's sources of a package, unpacked in WORK/src.
fetch_debian_source() {
  local pkg=$1 work=$2
  # A throw-away source list: the system's lists and sources stay as they are.
  printf 'deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main\n' \
    >"$work/sources.list"
  mkdir -p "$work/lists/partial"
  local apt_opts=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
                  -o Dir::State::Lists="$work/lists" -o DPkg::Lock::Timeout=600)
  logged "$pkg-source" bash -c 'cd "$0" && apt-get -qq "${@:2}" update && apt-get -qq "${@:2}" source --download-only "$1"' \
      "$work" "$pkg" "${apt_opts[@]}" &&
    logged "$pkg-unpack" dpkg-source -x --no-check "$work"/"$pkg"_*.dsc "$work/src"
}
build_mingw_source() {  # build_mingw_source SOURCE-PACKAGE TARGET CMAKE-ARGS...
  local pkg=$1 target=$2 work toolchain=mingw32.cmake
  shift 2
  [ "$target" = x86_64-w64-mingw32 ] && toolchain=mingw64.cmake
  work=$(mktemp -d)
  # Called in a test of its result, where set -e does not count: each step depends on the last.
  fetch_debian_source "$pkg" "$work" &&
    logged "$pkg-$target" bash -c 'cmake "$@" && cmake --build "$0" && cmake --install "$0"' "$work/build" \
      -S "$work/src" -B "$work/build" -G Ninja -Wno-dev -Wno-deprecated \
      -DCMAKE_TOOLCHAIN_FILE="$MORVICK_ROOT/cmake/$toolchain" -DCMAKE_CROSSCOMPILING_EMULATOR= \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="/usr/$target" "$@"
  local rc=$?
  rm -rf "$work"
  return $rc
}
for target in "${mingw_targets[@]}"; do
  if [ ! -f "/usr/$target/lib/libopenjp2.a" ]; then
    echo "setup: building openjpeg for $target from Debian's sources"
    build_mingw_source openjpeg2 "$target" -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_CODEC=OFF \
      -DBUILD_TESTING=OFF || echo "setup: openjpeg could not be built for $target; JPEG 2000 previews show their placeholder" >&2
  fi
done

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

if [ "${1:-}" != --without-wine-prefix ]; then
  "$SCRIPTS/wine-prefix.sh"
fi
