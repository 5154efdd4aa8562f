// The archive fuzzer's sample stream: it must load completely, and it is written out as a seed. A
// damaged stream loaded the fuzzer's way leaves nothing behind, whatever it stops at (the sanitizer
// builds report what leaks).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/ArchiveFuzzGraph.h"

namespace {

// Stores a graph and returns its bytes.
template <typename Store>
std::vector<BYTE> Stored(Store store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    memcpy(bytes.data(), file.GetBufferPtr(), bytes.size());
    return bytes;
}

TEST(ArchiveFuzzSampleTest, StoresLoadsAndBecomesASeed)
{
    std::vector<BYTE> bytes = Stored([](CArchive& ar) { StoreArchiveSample(ar); });
    {
        CMemFile in(bytes.data(), (UINT)bytes.size());
        CArchive ar(&in, CArchive::load);
        LoadArchiveSample(ar);
        EXPECT_EQ(in.GetPosition(), in.GetLength());
    }
    EXPECT_EQ(CFuzzNode::Registry().size(), 3u);
    for (CFuzzNode* p : CFuzzNode::Registry()) {
        if (p->m_name == _T("b")) {
            ASSERT_NE(p->m_pLink, nullptr);
            EXPECT_EQ(static_cast<CFuzzNode*>(p->m_pLink)->m_name, _T("a"));
        }
    }
    CFuzzNode::ReleaseAll();
#ifndef _WIN32
    if (const char* dir = std::getenv("MORVICK_BINARY_DIR")) {
        std::string folder = std::string(dir) + "/fuzz-seeds/fuzz_archive";
        std::string cmd = "mkdir -p '" + folder + "'";
        if (std::system(cmd.c_str()) == 0) {
            if (FILE* f = std::fopen((folder + "/sample.bin").c_str(), "wb")) {
                std::fwrite(bytes.data(), 1, bytes.size(), f);
                std::fclose(f);
            }
        }
    }
#endif
}

TEST(ArchiveFuzzSampleTest, EveryWayOutOfADamagedLoadFreesWhatWasLoaded)
{
    // A root that is no node: a collection, complete, and then the stream ends.
    const BYTE collectionRoot[] = {0xFF, 0xFF, 0x00, 0x00, 0x09, 0x00, 'C', 'O', 'b', 'A', 'r', 'r', 'a', 'y', 0x00,
        0x00, 0x00, 0x00, 0x29, 'r', 'r', 'a', 'y', 0x00, 0x00};
    FuzzArchiveSample(collectionRoot, sizeof collectionRoot);
    EXPECT_TRUE(CFuzzNode::Registry().empty());

    // Collections holding nodes, and nodes linking to collections, cut off at every length.
    const std::vector<BYTE> mixed = Stored([](CArchive& ar) {
        CObArray root;
        CFuzzNode node;
        CObList list;
        CFuzzLeaf leaf;
        node.m_pLink = &list;
        node.m_children.Add(&leaf);
        list.AddTail(&leaf);
        root.Add(&node);
        root.Add(&list);
        ar << &root;
    });
    const std::vector<BYTE> sample = Stored([](CArchive& ar) { StoreArchiveSample(ar); });
    for (const std::vector<BYTE>* bytes : {&mixed, &sample}) {
        for (size_t n = 0; n <= bytes->size(); ++n) {
            std::vector<BYTE> cut(bytes->begin(), bytes->begin() + n);
            FuzzArchiveSample(cut.data(), (UINT)cut.size());
            EXPECT_TRUE(CFuzzNode::Registry().empty()) << n;
        }
    }
}

}  // namespace
