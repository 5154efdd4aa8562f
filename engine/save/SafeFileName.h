// Names found in an image become file and folder names on the target disk. An image is untrusted:
// its names may hold separators, "..", drive letters, device names or control characters. Every
// name goes through MakeSafeFileName before it becomes a path part; the lists and snapshots keep the
// original names.
#pragma once

#include <string>

// Longest name part written (in UTF-16 units).
constexpr size_t kMaxSafeNameLength = 255;

// A name that is one plain part inside its folder on every system:
// - "\ / : * ? " < > |" and codes below 32 become "_";
// - trailing dots and blanks are removed, so "." and ".." and "..." cannot stay;
// - an empty result becomes "_";
// - a reserved device name (CON, PRN, AUX, NUL, COM0-9, LPT0-9, with or without an extension)
//   gets a "_" in front;
// - unpaired UTF-16 surrogates become "_";
// - a name longer than kMaxSafeNameLength is shortened, keeping a short extension.
std::u16string MakeSafeFileName(const std::u16string& name);

// folder + "\" (unless the folder ends with "\" or "/") + part.
std::u16string JoinOutputPath(const std::u16string& folder, const std::u16string& part);
