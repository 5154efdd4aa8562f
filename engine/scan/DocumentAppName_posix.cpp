#include "engine/scan/CompoundAppName.h"
#include "engine/scan/OfficeDocumentKind.h"

bool ReadDocumentAppName(const uint8_t* data, size_t size, std::string& appName)
{
    return ReadCompoundAppName(data, size, appName);
}
