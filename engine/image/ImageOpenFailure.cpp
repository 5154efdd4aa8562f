#include "engine/image/ImageOpenFailure.h"

const char* ImageOpenFailureText(ImageOpenFailure failure)
{
    switch (failure) {
    case ImageOpenFailure::kNone:
        return "the image opened";
    case ImageOpenFailure::kUnknownKind:
        return "the file name ends in neither .vhd nor .vhdx";
    case ImageOpenFailure::kUnreadableFile:
        return "the file cannot be opened or read";
    case ImageOpenFailure::kNoVhdxIdentifier:
        return "the file does not start with the VHDX identifier \"vhdxfile\"";
    case ImageOpenFailure::kDamagedStructures:
        return "its footer, headers, region table, metadata or block allocation table cannot be used";
    case ImageOpenFailure::kEndsBeforeData:
        return "the file ends before any of the data blocks it names (it was cut short)";
    }
    return "unknown";
}
