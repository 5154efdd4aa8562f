// One row of the results page's file list, as the engine fills it: column 0 the name, columns 1 to 5
// the type text, the size text, two date texts and the key. The list control draws it (with the
// shell's icon) and finds the entry again by the key.
#pragma once

#include <string>

enum class ResultRowKind { kParent, kFolder, kFile };

struct ResultRow {
    ResultRowKind kind = ResultRowKind::kFile;
    std::u16string name;
    std::u16string type;
    std::u16string size;
    std::u16string firstDate;
    std::u16string secondDate;
    std::u16string key;
    bool deleted = false;
};
