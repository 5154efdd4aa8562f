#include "TestHost.h"

#include "classlib/win/AfxCtrls.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A byte source and sink for the stream callbacks.
struct Stream {
    std::string data;
    size_t read = 0;
};

DWORD CALLBACK ReadFromString(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    Stream* s = reinterpret_cast<Stream*>(cookie);
    size_t n = s->data.size() - s->read;
    if (n > (size_t)cb)
        n = (size_t)cb;
    memcpy(buffer, s->data.data() + s->read, n);
    s->read += n;
    *pcb = (LONG)n;
    return 0;
}

DWORD CALLBACK WriteToString(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    reinterpret_cast<Stream*>(cookie)->data.append(reinterpret_cast<const char*>(buffer), (size_t)cb);
    *pcb = cb;
    return 0;
}

class RichEditFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxInitRichEdit());
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 300, 200), &host,
                                183));
    }
    long StreamIn(const std::string& rtf, int format)
    {
        Stream source{rtf};
        EDITSTREAM es = {(DWORD_PTR)&source, 0, ReadFromString};
        return edit.StreamIn(format, es);
    }
    TestHost host;
    CRichEditCtrl edit;
};

} // namespace

TEST_F(RichEditFixture, RtfStreamsInAndOut)
{
    long read = StreamIn("{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Recovered {\\b bold} text\\par}", SF_RTF);
    EXPECT_GT(read, 0);
    CString text;
    edit.GetTextRange(0, -1, text);
    EXPECT_EQ(0, text.Find(L"Recovered bold text"));
    EXPECT_GE(edit.GetTextLength(), 19);

    Stream sink;
    EDITSTREAM es = {(DWORD_PTR)&sink, 0, WriteToString};
    EXPECT_GT(edit.StreamOut(SF_RTF, es), 0);
    EXPECT_EQ(0u, sink.data.find("{\\rtf"));
    EXPECT_NE(std::string::npos, sink.data.find("bold"));
    EXPECT_NE(std::string::npos, sink.data.find("\\b"));

    // What went out comes back in as the same text.
    edit.SetWindowText(L"");
    StreamIn(sink.data, SF_RTF);
    CString again;
    edit.GetTextRange(0, -1, again);
    EXPECT_EQ(0, again.Find(L"Recovered bold text"));
}

TEST_F(RichEditFixture, PlainTextSelectionAndReplace)
{
    StreamIn("first line", SF_TEXT);
    edit.SetSel(0, 5);
    long start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(5, end);
    EXPECT_TRUE(edit.GetSelText() == L"first");
    edit.ReplaceSel(L"second");
    CString text;
    edit.GetTextRange(0, edit.GetTextLength(), text);
    EXPECT_EQ(0, text.Find(L"second line"));
    edit.SetSel(3, 3);
    EXPECT_EQ(0, edit.GetSelText().GetLength());
    CString none;
    EXPECT_EQ(0, edit.GetTextRange(5, 2, none));
    EXPECT_EQ(0, none.GetLength());
}

TEST_F(RichEditFixture, ReadOnlyAndDefaultFormat)
{
    EXPECT_TRUE(edit.SetReadOnly(TRUE));
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    CHARFORMAT cf = {};
    cf.dwMask = CFM_BOLD;
    cf.dwEffects = CFE_BOLD;
    EXPECT_TRUE(edit.SetDefaultCharFormat(cf));
    CHARFORMAT back = {};
    edit.GetDefaultCharFormat(back);
    EXPECT_TRUE(back.dwEffects & CFE_BOLD);
    edit.LimitText(10);
    EXPECT_EQ(10, edit.GetLimitText());
}
