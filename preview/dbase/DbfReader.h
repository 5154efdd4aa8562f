// Reads the layout of a dBase table (.dbf) and the texts of its cells, from the bytes of the file.
//
// The file starts with a 32-byte header (record count at 4, which is not read; header length at 8,
// record length at 10, little endian), then 32-byte field descriptors (name at 0, at most 11 bytes; type letter at
// 11; length at 16) up to a 0x0D byte. Each record is a flag byte (space: valid, "*": deleted)
// followed by the fields in descriptor order. When the header's lengths agree with the
// descriptors they place the records; otherwise the records start after the first space found
// from the terminator on. Every read is checked against the size of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace morvick {

constexpr size_t kDbfMaxFields = 200;
constexpr size_t kDbfDescriptorSize = 32;
constexpr size_t kDbfNameSize = 11;

struct DbfField {
    std::string name;  // ANSI bytes
    char type = 0;
    uint8_t length = 0;
};

enum class DbfStatus {
    kOk,
    kTooShort,            // 32 bytes or less
    kTooManyFields,       // more than 200 descriptors before the terminator
    kNoFields,            // the first descriptor slot is the terminator
    kDescriptorsPastEnd,  // the descriptors run past the end of the file
    kNoRecordData,        // nothing after the terminator
};

struct DbfLayout {
    DbfStatus status = DbfStatus::kTooShort;
    std::vector<DbfField> fields;  // also the ones read before a failure
    bool fromHeader = false;       // the header's lengths place the records
    uint64_t dataStart = 0;        // the first field byte of the first record
    uint32_t recordStride = 0;     // flag byte and fields
};

DbfLayout ReadDbfLayout(const uint8_t* data, size_t size);

// The number of records the file holds by the layout, up to its end (the last one may be cut
// short); the header's record count plays no part.
uint64_t DbfRecordCount(const DbfLayout& layout, size_t size);

// The bytes of one field of one record: the field's length, or what is left of the file.
std::string DbfFieldBytes(const uint8_t* data, size_t size, const DbfLayout& layout, uint64_t record, size_t field);

// The cell text of a field's bytes by its type, as ANSI bytes. A currency ("Y") is shown as a
// plain decimal with four places here; DbfCurrencyValue gives its value for a locale's format.
std::string DbfCellText(char type, const std::string& bytes);

// A currency field: a signed 64-bit count of ten-thousandths, little endian (missing bytes zero).
int64_t DbfCurrencyValue(const std::string& bytes);

// The logical words that read as true: T, Y, YES, TRUE and the Russian words for yes and true
// (code page 1251), compared after trimming blanks and upper-casing.
bool DbfLogicalIsTrue(const std::string& bytes);

}  // namespace morvick
