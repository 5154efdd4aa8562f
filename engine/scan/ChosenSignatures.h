// The process-wide list of chosen signatures (TraceHitRecord) that File Trace searches for, built
// from the records of the signature table whose types the user ticked.
#pragma once

#include "engine/scan/SignatureRecord.h"
#include "engine/state/RecordList.h"

#include <cstdint>
#include <string>
#include <vector>

// The value of the leading decimal digits of text, after blanks and an optional sign, as the C
// library's text-to-integer rule reads them: "15" gives 15, "1A" gives 1, "FF" gives 0. A negative
// value gives 0 and a value past 2^31 - 1 gives 2^31 - 1.
uint32_t LeadingDecimalValue(const std::string& text);

// Appends one chosen signature made from record: its extension and description as wide text, the
// value of its length text, its signature hex text, the leading decimal value of its second value
// text. False (the list unchanged) after the out-of-memory report.
bool AppendChosenSignature(RecordList<TraceHitRecord>& list, const SignatureRecord& record);

// The type items of the File Types tree in the tree's order: the category folders in the order
// their first record appears, and in each folder the extensions in the order they first appear,
// each once. Records with no extension have no item.
std::vector<std::u16string> FileTypeItemsInTreeOrder(const std::vector<SignatureRecord>& records);

// For each ticked item of the File Types tree, in the tree's order, appends every record whose
// extension equals the item's text, in file order. Records with no extension are never chosen.
// False after the out-of-memory report; what was appended before stays.
bool AppendChosenSignatures(RecordList<TraceHitRecord>& list, const std::vector<SignatureRecord>& records,
    const std::vector<std::u16string>& tickedItems);
