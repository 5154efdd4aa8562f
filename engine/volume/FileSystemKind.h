// The file systems the engine reads. The volume-parameter block, the partition table and the found
// volumes hold one of these; the values are the codes that recovery snapshots store for them. (Not
// called FileSystemType: the Windows headers declare an enumerator of that name.)
#pragma once

#include <cstdint>

enum class FileSystemKind : uint16_t {
    kNone = 0,
    kFat16 = 100,
    kFat32 = 200,
    kNtfs = 300,
};

inline bool IsFatFileSystem(FileSystemKind type)
{
    return type == FileSystemKind::kFat16 || type == FileSystemKind::kFat32;
}

// The code stored in a file for a type, and the type of a stored code. A code that names no file
// system the engine reads is kept as it is: it then equals none of the types above.
constexpr uint16_t FileSystemCode(FileSystemKind type)
{
    return static_cast<uint16_t>(type);
}
constexpr FileSystemKind FileSystemFromCode(uint16_t code)
{
    return static_cast<FileSystemKind>(code);
}
