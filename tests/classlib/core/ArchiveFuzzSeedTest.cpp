// The archive fuzzer's sample stream: it must load completely, and it is written out as a seed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/ArchiveFuzzGraph.h"

namespace {

TEST(ArchiveFuzzSampleTest, StoresLoadsAndBecomesASeed)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        StoreArchiveSample(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    memcpy(bytes.data(), file.GetBufferPtr(), bytes.size());
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

}  // namespace
