// Recovered tables are hostile: the layout must stay inside the file and every cell's bytes inside
// their field, whatever the header and the descriptors say.
#include "preview/dbase/DbfReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    morvick::DbfLayout layout = morvick::ReadDbfLayout(data, size);
    if (layout.fields.size() > morvick::kDbfMaxFields)
        __builtin_trap();
    uint64_t records = morvick::DbfRecordCount(layout, size);
    if (layout.status == morvick::DbfStatus::kOk && records > size)
        __builtin_trap();
    for (uint64_t r = 0; r < records && r < 64; ++r) {
        for (size_t f = 0; f < layout.fields.size(); ++f) {
            std::string bytes = morvick::DbfFieldBytes(data, size, layout, r, f);
            if (bytes.size() > layout.fields[f].length)
                __builtin_trap();
            morvick::DbfCellText(layout.fields[f].type, bytes);
        }
    }
    return 0;
}
