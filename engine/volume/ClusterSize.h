// The cluster sizes of the FAT and NTFS volumes the engine reads: 1, 2, 4, ... 128 sectors.
#pragma once

#include <cstdint>

constexpr uint32_t kClusterSizesInSectors[] = {1, 2, 4, 8, 16, 32, 64, 128};
constexpr uint32_t kLargestClusterInSectors = 128;

constexpr bool IsClusterSizeInSectors(uint64_t sectors)
{
    return sectors != 0 && sectors <= kLargestClusterInSectors && (sectors & (sectors - 1)) == 0;
}
