// The identifiers that the VHDX format assigns to its regions and metadata items, and the reader's
// names for them. Identifiers are compared in their on-disk byte order (the first three fields
// little-endian).
#pragma once

#include <cstdint>
#include <string>

enum VhdxGuidIndex {
    kVhdxBatRegion,
    kVhdxMetadataRegion,
    kVhdxFileParameters,
    kVhdxVirtualDiskSize,
    kVhdxPage83Data,
    kVhdxLogicalSectorSize,
    kVhdxPhysicalSectorSize,
    kVhdxParentLocator,
    kVhdxGuidCount
};

struct VhdxGuid {
    uint8_t bytes[16];
};

// The eight identifiers, indexed by VhdxGuidIndex.
const VhdxGuid* VhdxGuidTable();

// The reader's name of an identifier of 16 on-disk bytes: "Bat Guid", "MetaData_Guid",
// "File Parameter", "Virtual Disk Size", "Page83", "Logical Sector Size", "Physical Sector Size",
// "Parent Locator", or "Invalid Item Id".
std::u16string GetVhdxItemName(const uint8_t* identifier);

// Parses "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" into on-disk byte order.
VhdxGuid VhdxGuidFromText(const char* text);
