// The signature table reader over arbitrary bytes, and the chosen-signature list built from what it read.
#include "engine/scan/ChosenSignatures.h"
#include "engine/scan/SignatureCategory.h"
#include "engine/scan/SignatureTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const SignatureTable table = ParseSignatureTable(data, size);
    if (table.status == SignatureTableStatus::kDamaged && table.damagedOffset >= size)
        __builtin_trap();
    RecordList<TraceHitRecord> list;
    std::vector<std::u16string> ticked;
    for (const SignatureRecord& record : table.records) {
        SignatureCategoryFolder(record.category);
        const std::u16string item(record.extension.begin(), record.extension.end());
        if (std::find(ticked.begin(), ticked.end(), item) == ticked.end())
            ticked.push_back(item);
    }
    AppendChosenSignatures(list, table.records, ticked);
    FreeRecordList(list);
    return 0;
}
