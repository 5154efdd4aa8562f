# Sourced by the speed scripts that save from an NTFS volume filled through ntfs-3g (FUSE, run as
# root). `make_ntfs_bench_disk RAW IMAGE START SECTORS` makes RAW, an MBR disk with one NTFS
# partition of SECTORS sectors from START (mkntfs, 4 KiB clusters), fills it with the Python program
# read from standard input (its first argument the mounted volume) and writes it as the dynamic VHDX
# IMAGE too.
source "$(dirname "${BASH_SOURCE[0]}")/../tests/fixtures/ntfs-mount.sh"
make_ntfs_bench_disk() {
  local raw=$1 image=$2 start=$3 sectors=$4
  local work
  work=$(dirname "$raw")
  truncate -s $(((sectors + start) * 512)) "$raw"
  printf 'label: dos\nstart=%d, size=%d, type=7\n' "$start" "$sectors" | sfdisk -q "$raw" >/dev/null
  local vol="$work/vol.ntfs"
  truncate -s $((sectors * 512)) "$vol"
  mkntfs -q -F -Q -c 4096 -p "$start" -H 255 -S 63 "$vol" "$sectors" >/dev/null 2>&1
  mkdir -p "$work/mnt"
  ntfs_mount "$vol" "$work/mnt"
  python3 - "$work/mnt"
  ntfs_unmount "$work/mnt"
  dd if="$vol" of="$raw" bs=1M seek=$((start * 512)) oflag=seek_bytes conv=notrunc status=none
  rm -f "$vol"
  qemu-img convert -q -f raw -O vhdx -o subformat=dynamic "$raw" "$image"
}
