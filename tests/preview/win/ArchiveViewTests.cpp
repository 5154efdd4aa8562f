// The archive list over zip archives (Info-ZIP, python's zipfile, damaged ones), cabinets (gcab)
// and RAR archives (our writer, listed by our unrar.dll): rows, columns, icons and failures.
#include "preview/win/archives/ArchiveListView.h"
#include "preview/win/archives/DosFileTime.h"
#include "preview/win/archives/RarListing.h"
#include "tests/preview/win/LocalZoneScope.h"
#include "tests/preview/win/PreviewHarness.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

const char kArchives[] = "make-archive-samples.sh";

CMyListCtrl* ArchiveView()
{
    return dynamic_cast<CMyListCtrl*>(Harness().pane->Viewer(kViewerArchive));
}

bool ShowsPlaceholder()
{
    CView* placeholder = Harness().pane->Viewer(kViewerNoPreview);
    return placeholder != NULL && ::IsWindowVisible(placeholder->GetSafeHwnd());
}

std::vector<std::vector<std::wstring>> Rows()
{
    std::vector<std::vector<std::wstring>> rows;
    CMyListCtrl* view = ArchiveView();
    if (view == NULL)
        return rows;
    CListCtrl* list = view->GetContentList();
    int columns = list->GetHeaderCtrl()->GetItemCount();
    for (int i = 0; i < list->GetItemCount(); ++i) {
        std::vector<std::wstring> row;
        for (int c = 0; c < columns; ++c)
            row.push_back(static_cast<LPCWSTR>(list->GetItemText(i, c)));
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::wstring> Headers()
{
    std::vector<std::wstring> out;
    CHeaderCtrl* header = ArchiveView()->GetContentList()->GetHeaderCtrl();
    for (int i = 0; i < header->GetItemCount(); ++i) {
        wchar_t text[64] = L"";
        HDITEMW item = {};
        item.mask = HDI_TEXT | HDI_IMAGE | HDI_FORMAT;
        item.pszText = text;
        item.cchTextMax = 64;
        header->GetItem(i, &item);
        EXPECT_NE(item.fmt & HDF_IMAGE, 0);
        EXPECT_EQ(item.iImage, i);
        out.push_back(text);
    }
    return out;
}

TEST(ArchiveView, ZipArchivesOfBothWriters)
{
    Preview(SamplePath(kArchives, "info.zip"), L".ZIP");
    ASSERT_NE(ArchiveView(), nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_EQ(Headers(),
        (std::vector<std::wstring>{L"File Name", L"Directory", L"File Size", L"Access Time", L"Creation Time",
            L"modify Time", L"Attribute"}));
    EXPECT_EQ(ArchiveView()->GetContentList()->HeaderImages().GetImageCount(), 7);
    auto rows = Rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0][0], L"hello.txt");
    EXPECT_EQ(rows[0][1], L"No");
    EXPECT_EQ(rows[0][2], L"26");  // the size of the file, not of its compressed data
    EXPECT_EQ(rows[1][0], L"docs/");
    EXPECT_EQ(rows[1][1], L"Yes");
    EXPECT_EQ(rows[4][0], L"docs/Gr\u00fc\u00dfe \u65e5\u672c.txt");
    EXPECT_FALSE(rows[0][3].empty());
    EXPECT_NE(rows[0][3], rows[0][5]);  // "UT" gives access and modification times of their own
    // Rows carry the shell's icon of their file type.
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 0;
    ArchiveView()->GetContentList()->GetItem(&item);
    EXPECT_GE(item.iImage, 0);
    EXPECT_NE(ArchiveView()->GetContentList()->GetStyle() & LVS_SHAREIMAGELISTS, 0u);

    Preview(SamplePath(kArchives, "python.zip"), L".zip");
    rows = Rows();
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0][6], L"-a--");
    EXPECT_EQ(rows[1][6], L"ra--");
    EXPECT_EQ(rows[2][6], L"-ahs");
    EXPECT_EQ(rows[3][6], L"r---");
    EXPECT_EQ(rows[0][2], L"500");
    EXPECT_EQ(rows[7][0], L"caf\u00e9 \u65e5\u672c.txt");
}

TEST(ArchiveView, DamagedZipArchives)
{
    // Not a zip archive: the placeholder, not an empty list called a preview.
    Preview(SamplePath(kArchives, "not-a-zip.zip"), L".zip");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    // A directory cut short lists what it holds.
    Preview(SamplePath(kArchives, "cut-directory.zip"), L".zip");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_EQ(Rows().size(), 1u);
    // A local header that does not match still shows the central directory's entry.
    Preview(SamplePath(kArchives, "bad-local.zip"), L".zip");
    auto rows = Rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0][0], L"hello.txt");
    EXPECT_EQ(rows[0][2], L"26");
    Preview(SamplePath(kArchives, "hostile-extra.zip"), L".zip");
    EXPECT_EQ(Rows().size(), 5u);
    // No entries: the headers and no rows.
    Preview(SamplePath(kArchives, "empty.zip"), L".zip");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_EQ(Rows().size(), 0u);
}

TEST(ArchiveView, CabinetsThroughTheCabinetLibrary)
{
    Preview(SamplePath(kArchives, "sample.cab"), L".cab");
    ASSERT_NE(ArchiveView(), nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_EQ(Headers(),
        (std::vector<std::wstring>{L"File Name", L"Directory", L"File Size", L"Access Time", L"Attribute"}));
    auto rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    // The last file announced comes first.
    EXPECT_EQ(rows[0][0], L"inner.txt");
    EXPECT_EQ(rows[0][1], L"sub\\");
    EXPECT_EQ(rows[0][2], L"11");
    EXPECT_EQ(rows[1][0], L"root.txt");
    EXPECT_EQ(rows[1][1], L"");
    EXPECT_EQ(rows[1][2], L"10");
    EXPECT_FALSE(rows[1][3].empty());
    // Another cabinet shows only its own entries.
    Preview(SamplePath(kArchives, "other.cab"), L".cab");
    rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], L"inner.txt");
    // Not a cabinet.
    std::wstring fake = TempFile(L"zip-inside.cab");
    CopyFileW(SamplePath(kArchives, "info.zip").c_str(), fake.c_str(), FALSE);
    Preview(fake, L".cab");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
}

TEST(ArchiveView, RarArchivesThroughOurUnrarLibrary)
{
    Preview(SamplePath(kArchives, "rar4.rar"), L".rar");
    ASSERT_NE(ArchiveView(), nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    auto rows = Rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0][0], L"docs");
    EXPECT_EQ(rows[0][1], L"Yes");
    EXPECT_EQ(rows[1][0], L"docs\\readme.txt");
    EXPECT_EQ(rows[1][1], L"No");
    EXPECT_EQ(rows[1][2], L"26");
    EXPECT_EQ(rows[1][4], L"-a--");
    EXPECT_EQ(rows[3][0], L"docs\\Gr\u00fc\u00dfe \u65e5\u672c.txt");
    EXPECT_EQ(rows[4][2], L"21474836480");
    EXPECT_FALSE(rows[1][3].empty());

    Preview(SamplePath(kArchives, "rar5.rar"), L".rar");
    rows = Rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0][1], L"Yes");
    EXPECT_EQ(rows[3][0], L"docs/Gr\u00fc\u00dfe \u65e5\u672c.txt");
    // A damaged header ends the list; it still counts as shown.
    Preview(SamplePath(kArchives, "rar4-badcrc.rar"), L".rar");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_EQ(Rows().size(), 1u);
    // Encrypted headers cannot be listed.
    Preview(SamplePath(kArchives, "rar5-encrypted.rar"), L".rar");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    // Entries outside the list are refused with the standard library's exception.
    CRarReader reader;
    EXPECT_TRUE(reader.ReadEntries(SamplePath(kArchives, "rar4-unix.rar").c_str()));
    EXPECT_EQ(reader.GetEntryCount(), 2);
    EXPECT_THROW(reader.GetEntry(2), std::out_of_range);
}

TEST(ArchiveView, AttributeLettersAndDates)
{
    EXPECT_EQ(CMyListCtrl::AttributeText(0x21), L"ra--");
    EXPECT_EQ(CMyListCtrl::AttributeText(0x06), L"--hs");
    EXPECT_EQ(CMyListCtrl::AttributeText(0), L"----");
    FILETIME none = {};
    EXPECT_EQ(CMyListCtrl::DateText(none), L"");
    EXPECT_EQ(CMyListCtrl::DateText(DosTimeToUtcFileTime(0, 0)), L"");  // month 0
    // One hour east of UTC: a UTC file time shows in local time, an MS-DOS time as it was stored,
    // also late in the evening (it moved to the next day).
    LocalZoneScope zone("CET-1CEST");
    SYSTEMTIME st = {2024, 1, 3, 31, 12, 34, 56, 0};
    FILETIME utc;
    SystemTimeToFileTime(&st, &utc);
    EXPECT_EQ(CMyListCtrl::DateText(utc), L"31 Jan 2024, 13:34:56");
    const WORD date = ((2024 - 1980) << 9) | (1 << 5) | 31;
    EXPECT_EQ(CMyListCtrl::DateText(DosTimeToUtcFileTime(date, (12 << 11) | (34 << 5) | 14)), L"31 Jan 2024, 12:34:28");
    EXPECT_EQ(CMyListCtrl::DateText(DosTimeToUtcFileTime(date, (23 << 11) | (34 << 5) | 14)), L"31 Jan 2024, 23:34:28");
}

TEST(ArchiveView, MsDosTimesShowAsStoredAndUtcTimesInTheLocalZone)
{
    // Five hours west of UTC. The samples were made in UTC: Info-ZIP's hello.txt has the MS-DOS time
    // 2024-01-31 12:34:56 and "UT" times (modified then, accessed 2024-02-01 08:00:00 UTC) but no
    // creation time; python's entries have MS-DOS times only (2023-06-15 09:30:10); the LZMA entry
    // has that MS-DOS time and the "UT" times of hello.txt; the cabinet's and the RAR 4 archive's
    // files the MS-DOS time 2024-01-31 12:34:56.
    LocalZoneScope zone("EST5EDT");
    const struct {
        const char* sample;
        const wchar_t* extension;
        size_t rows, row;
        std::vector<std::wstring> nameAndTimes;  // columns 0 and 3 on: access, (zip) creation, modification
    } samples[] = {
        {"info.zip", L".zip", 5, 0,
            {L"hello.txt", L"01 Feb 2024, 03:00:00", L"31 Jan 2024, 12:34:56", L"31 Jan 2024, 07:34:56"}},
        {"python.zip", L".zip", 8, 0,
            {L"plain.txt", L"15 Jun 2023, 09:30:10", L"15 Jun 2023, 09:30:10", L"15 Jun 2023, 09:30:10"}},
        {"lzma.zip", L".zip", 1, 0,
            {L"caf\u00e9.txt", L"01 Feb 2024, 03:00:00", L"15 Jun 2023, 09:30:10", L"31 Jan 2024, 07:34:56"}},
        {"sample.cab", L".cab", 2, 1, {L"root.txt", L"31 Jan 2024, 12:34:56"}},
        {"rar4.rar", L".rar", 5, 1, {L"docs\\readme.txt", L"31 Jan 2024, 12:34:56"}},
    };
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample.sample);
        Preview(SamplePath(kArchives, sample.sample), sample.extension);
        auto rows = Rows();
        ASSERT_EQ(rows.size(), sample.rows);
        const std::vector<std::wstring>& row = rows[sample.row];
        ASSERT_GE(row.size(), sample.nameAndTimes.size() + 2);
        std::vector<std::wstring> shown{row[0]};
        shown.insert(shown.end(), row.begin() + 3, row.begin() + 2 + sample.nameAndTimes.size());
        EXPECT_EQ(shown, sample.nameAndTimes);
    }
}

TEST(ArchiveView, Rar5TimesShowInTheLocalZoneOfTheirOwnDate)
{
    // A RAR 5 time is UTC: it shows as a zip entry's "UT" time does, in the local zone's offset of
    // its own date. An hour east of UTC in winter and two in summer; the winter entry's time is
    // 2024-01-15 12:00:00 UTC, the summer entry's 2024-07-15 22:30:10 UTC, so that whatever the day
    // of the test one of them lies across a daylight-saving change from it. The platform's zone
    // must be that zone too: ctest runs this test in a program of its own with TZ holding it, which
    // Wine takes as the platform's. Elsewhere it is skipped: once the C library has read a platform
    // zone without summer time, a TZ set later gets none either.
    TIME_ZONE_INFORMATION platform = {};
    if (GetTimeZoneInformation(&platform) == TIME_ZONE_ID_INVALID || platform.Bias != -60 ||
        platform.DaylightDate.wMonth == 0)
        GTEST_SKIP() << "needs the platform's zone to be CET-1CEST,M3.5.0,M10.5.0/3 (TZ)";
    LocalZoneScope zone("CET-1CEST,M3.5.0,M10.5.0/3");
    Preview(SamplePath(kArchives, "rar5-seasons.rar"), L".rar");
    std::vector<std::vector<std::wstring>> nameAndTime;
    for (const auto& row : Rows())
        nameAndTime.push_back({row.at(0), row.at(3)});
    EXPECT_EQ(nameAndTime,
        (std::vector<std::vector<std::wstring>>{{L"winter.txt", L"15 Jan 2024, 13:00:00"},
            {L"summer.txt", L"16 Jul 2024, 00:30:10"}}));
}

}  // namespace
}  // namespace morvick::test
