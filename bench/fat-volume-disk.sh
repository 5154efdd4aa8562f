# shellcheck shell=bash
# Sourced by the card makers of bench/ that write a FAT32 volume's entries and FATs themselves into a
# file of the volume alone, so that fsck.fat can check it before it goes into a disk:
#   volume_disk VOLUME DISK START   checks VOLUME with `fsck.fat -n` (its report on standard error and
#       exit 1 where it finds the volume damaged), makes DISK an MBR disk holding it as its one
#       partition (type c) from sector START, and removes VOLUME
volume_disk() {
  local volume=$1 disk=$2 start=$3 sectors log
  sectors=$(($(stat -c %s "$volume") / 512))
  log=$(mktemp)
  if ! fsck.fat -n "$volume" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "$(basename "$0"): fsck.fat finds the volume damaged" >&2
    exit 1
  fi
  rm -f "$log"
  truncate -s $(((start + sectors) * 512)) "$disk"
  printf 'label: dos\nlabel-id: 0x6d6f7276\nstart=%d, size=%d, type=c\n' "$start" "$sectors" | sfdisk -q "$disk" >/dev/null
  dd if="$volume" of="$disk" bs=1M seek=$((start * 512)) oflag=seek_bytes conv=sparse,notrunc status=none
  rm -f "$volume"
}
