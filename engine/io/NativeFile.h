// The platform's file calls, behind which the engine reads image files and raw devices: Win32 in
// the product (NativeFile_win32.cpp), POSIX for the native tests, fuzzers and benchmarks
// (NativeFile_posix.cpp). Every read is positional and exact.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A Win32 HANDLE or a POSIX file descriptor.
using NativeFileHandle = intptr_t;
constexpr NativeFileHandle kInvalidNativeFile = -1;

// Opens an existing file or device for reading; nothing is created. Other openers may read it; with
// shareWrite they may also write it (logical drives, which the system keeps open for writing, and
// VHDX images, which the program they belong to may hold open).
// Returns kInvalidNativeFile on failure, also for a folder.
NativeFileHandle OpenNativeFileForReading(const std::u16string& path, bool shareWrite = false);

// Reads exactly size bytes at offset. False on an error and on a short read (end of file).
bool ReadNativeFileAt(NativeFileHandle file, uint64_t offset, void* buffer, size_t size);

// The size in bytes of a file or device.
bool GetNativeFileSize(NativeFileHandle file, uint64_t& size);

// Closes the handle; false for kInvalidNativeFile and on failure.
bool CloseNativeFile(NativeFileHandle file);

// True when the path names an existing file or folder.
bool FileExists(const std::u16string& path);
