// Why an image could not be opened. The program shows one message for every case
// (kCannotOpenImageText); morvick-bench also says which it was.
#pragma once

enum class ImageOpenFailure {
    kNone,
    kUnknownKind,        // the name ends in neither .vhd nor .vhdx
    kUnreadableFile,     // the file cannot be opened or read
    kNoVhdxIdentifier,   // a .vhdx file that does not start with "vhdxfile"
    kDamagedStructures,  // a footer, header, region table, metadata or block table that cannot be used
    kEndsBeforeData,     // the file ends before the first block of data it names
};

// A short English explanation of the failure, for standard error.
const char* ImageOpenFailureText(ImageOpenFailure failure);
