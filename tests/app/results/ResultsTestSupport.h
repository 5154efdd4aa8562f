// The results page's parts on real windows: a small FAT or NTFS volume (or a File Trace) written
// straight into the engine's found-entry lists, the result tree and list on a host window, and the
// message log of the boxes the parts show.
#pragma once

#include <string>
#include <vector>

#include "app/lists/ResultListCtrl.h"
#include "app/trees/ResultTreeCtrl.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/MessageLog.h"

namespace morvick::test {

// The volume of the tests, the same shape in FAT and NTFS:
//   Root: r1.txt (100), r2.bin (2000), folders A, B (deleted)
//   A: a1.txt (1024), a2.txt (1025), folder A1
//   A1: x.jpg (5000)
//   B: b1.txt (10)
enum class TestVolume { kFat32, kNtfs, kTrace };
void FillTestVolume(TestVolume kind);

// The tree and the list on a host window, wired as the results page wires them.
class ResultPanes {
public:
    ResultPanes();
    ~ResultPanes();
    HostWindow host{900, 600};
    CResultTreeCtrl tree;
    CResultListCtrl list;

    HTREEITEM Item(const CString& text) const;
    int Row(const CString& name) const;
    uint32_t Key(const CString& name) const;  // a file row's key
    // The rows' names in their order.
    std::vector<CString> RowNames() const;
};

}  // namespace morvick::test
