// Pictures of the themed controls in each look and state, as a person sees them on screen, written
// to build/windows/controls-gallery/ for people to look at (nothing is compared).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/win/WindowCapture.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Caption.h"
#include "toolkit/controls/CaptionPopupWnd.h"
#include "toolkit/controls/FlatComboBox.h"
#include "toolkit/controls/FlatEdit.h"
#include "toolkit/controls/HyperLink.h"
#include "toolkit/controls/ListCtrl.h"

using namespace tktest;

namespace {

// A framed top-level window holding one picture's controls, with labels.
class Board : public CWnd {
public:
    Board(LPCWSTR title, int width, int height)
    {
        CRect rc(40, 40, 40 + width, 40 + height);
        ::AdjustWindowRectEx(&rc, WS_OVERLAPPED | WS_CAPTION, FALSE, 0);
        CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)), title,
            WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN, rc.left - rc.left + 40, 40, rc.Width(),
            rc.Height(), nullptr, nullptr);
    }
    ~Board() override
    {
        for (auto& label : m_labels)
            label->DestroyWindow();
        DestroyWindow();
        PumpPending();
    }
    void Label(LPCWSTR text, int x, int y, int width = 100)
    {
        m_labels.push_back(std::make_unique<CStatic>());
        m_labels.back()->Create(text, WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(x, y, x + width, y + 16), this);
        m_labels.back()->SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    }
    bool Save(const std::wstring& name)
    {
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return morvick::test::CaptureWindowToPng(GetSafeHwnd(), Folder() + L"\\" + name + L".png");
    }
    static std::wstring Folder() { return morvick::test::GalleryFolder("controls"); }

private:
    std::vector<std::unique_ptr<CStatic>> m_labels;
};

const LPCWSTR kStateNames[] = {L"normal", L"hot", L"pressed", L"checked", L"disabled", L"focused"};

// Controls drawn as pressed (state 3): a combo box whose list is open, an edit with the focus.
class PressedCombo : public CTKFlatComboBox {
public:
    bool pressed = false;
    int GetDrawState() const override { return pressed ? 3 : CTKFlatComboBox::GetDrawState(); }
};
class PressedEdit : public CTKFlatEdit {
public:
    bool pressed = false;
    int GetDrawState() const override { return pressed ? 3 : CTKFlatEdit::GetDrawState(); }
};

}  // namespace

TEST(ControlsGallery, Buttons)
{
    struct Look {
        LPCWSTR name;
        DWORD flags;
        bool gradient;
    } looks[] = {{L"buttons-3d", 0, false}, {L"buttons-flat-borders", TKBS_FLAT, false},
        {L"buttons-semi-flat", TKBS_SEMIFLAT, false}, {L"buttons-flat", TKBS_FLATSTYLE, false},
        {L"buttons-gradient", 0, true}, {L"buttons-visual-styles", TKBS_VISUALSTYLES, false}};
    for (const Look& look : looks) {
        Board board(look.name, 6 * 110 + 10, 130);
        CTKButton buttons[6], imageAbove[6];
        for (int i = 0; i < 6; ++i) {
            board.Label(kStateNames[i], 10 + i * 110, 6);
            CTKButton* row[2] = {&buttons[i], &imageAbove[i]};
            for (int r = 0; r < 2; ++r) {
                CTKButton& b = *row[r];
                b.Create(r == 0 ? L"&Select" : L"Open", WS_CHILD | WS_VISIBLE,
                    CRect(10 + i * 110, 26 + r * 50, 110 + i * 110, r == 0 ? 56 : 120), &board, 100 + i * 2 + r);
                b.SetButtonStyleFlags(look.flags | (r ? TKBS_IMAGEABOVETEXT : 0) | (i == 5 ? TKBS_FOCUSRECT : 0),
                    FALSE);
                if (look.gradient)
                    b.SetStyle(new CTKButtonThemeGradient);
                b.SetIcon(CSize(0, 0), 710u, 711u, FALSE);
                switch (i) {
                case 1:
                    b.m_bHot = TRUE;
                    break;
                case 2:
                    b.SetState(TRUE);
                    break;
                case 3:
                    b.SetChecked(TRUE);
                    break;
                case 4:
                    b.EnableWindow(FALSE);
                    break;
                }
            }
        }
        buttons[5].SetFocus();
        EXPECT_TRUE(board.Save(look.name));
    }
}

TEST(ControlsGallery, CombosAndEdits)
{
    const LPCWSTR names[] = {L"default", L"flat", L"gradient"};
    for (int look = 0; look < 3; ++look) {
        const std::wstring name = std::wstring(L"combo-edit-") + names[look];
        Board board(name.c_str(), 5 * 140 + 10, 170);
        PressedCombo lists[5], editables[5];
        PressedEdit edits[5];
        const LPCWSTR states[] = {L"normal", L"hot", L"focused", L"disabled", L"pressed (list open)"};
        for (int i = 0; i < 5; ++i) {
            board.Label(states[i], 10 + i * 140, 6);
            lists[i].Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10 + i * 140, 26, 140 + i * 140, 200),
                &board, 200 + i);
            editables[i].Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10 + i * 140, 60, 140 + i * 140, 200),
                &board, 210 + i);
            edits[i].CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"C:\\Recovered", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                CRect(10 + i * 140, 96, 140 + i * 140, 118), &board, 220 + i);
            for (CTKFlatComboBox* c : {&lists[i], &editables[i]}) {
                c->SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
                c->AddString(L"FAT32 volume");
                c->AddString(L"NTFS volume");
                c->SetCurSel(0);
                if (look == 1)
                    c->SetStyle(new CTKFlatComboBoxThemeFlat);
                if (look == 2)
                    c->SetStyle(new CTKFlatComboBoxThemeGradient);
            }
            edits[i].SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
            if (look == 1)
                edits[i].SetStyle(new CTKFlatEditThemeFlat);
            if (look == 2)
                edits[i].SetStyle(new CTKFlatEditThemeGradient);
            if (i == 1) {
                lists[i].m_bHot = editables[i].m_bHot = edits[i].m_bHot = TRUE;
            }
            if (i == 2) {
                lists[i].m_bFocus = editables[i].m_bFocus = TRUE;
                edits[i].m_bFocus = TRUE;
            }
            if (i == 3) {
                lists[i].EnableWindow(FALSE);
                editables[i].EnableWindow(FALSE);
                edits[i].EnableWindow(FALSE);
            }
            if (i == 4)
                lists[i].pressed = editables[i].pressed = edits[i].pressed = true;
        }
        board.Label(L"plain CTKEdit:", 10, 134, 90);
        CTKEdit plain;
        plain.CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"an edit with a buffered paint", WS_CHILD | WS_VISIBLE,
            CRect(100, 130, 400, 152), &board, 230);
        plain.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
        EXPECT_TRUE(board.Save(name));
    }
}

namespace {
void FillList(CTKListCtrl& list)
{
    static const LPCTSTR headings[] = {L"Name", L"Size", L"Type", L"Modified"};
    static const int widths[] = {140, 70, 90, 110};
    list.AddColumns(4, widths, headings);
    static const wchar_t* rows[][4] = {{L"holiday.jpg", L"1,204 KB", L"Picture", L"2009-06-12"},
        {L"report.doc", L"88 KB", L"Document", L"2010-01-03"}, {L"budget.xls", L"41 KB", L"Spreadsheet", L"2010-02-17"},
        {L"notes.txt", L"2 KB", L"Text", L"2011-11-30"}, {L"song.mp3", L"4,412 KB", L"Audio", L"2008-08-08"}};
    for (int i = 0; i < 5; ++i) {
        list.InsertItem(i, rows[i][0]);
        for (int c = 1; c < 4; ++c)
            list.SetItemText(i, c, rows[i][c]);
    }
}
}  // namespace

TEST(ControlsGallery, HeadersAndLists)
{
    struct Look {
        LPCWSTR name;
        int kind;  // 0 visual styles, 1 plain default, 2 flat, 3 gradient
    } looks[] = {{L"header-visual-styles", 0}, {L"header-3d", 1}, {L"header-flat", 2}, {L"header-gradient", 3}};
    for (const Look& look : looks) {
        if (look.kind == 1)
            CTKPUxThemeWrapper::SetForceUnavailable(TRUE);
        Board board(look.name, 440, 300);
        board.Label(L"sorted by Size, ascending; Name column with a bitmap", 10, 4, 320);
        CTKListCtrl list, second;
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(10, 22, 430, 150), &board, 300);
        FillList(list);
        CTKHeaderCtrl header;
        header.SubclassWindow(::GetDlgItem(list.GetSafeHwnd(), 0));
        if (look.kind == 1)
            header.SetStyle(new CTKHeaderCtrlTheme);
        if (look.kind == 2)
            header.SetStyle(new CTKHeaderCtrlThemeFlat);
        if (look.kind == 3)
            header.SetStyle(new CTKHeaderCtrlThemeGradient);
        header.SetSortArrow(1, TRUE);
        if (CTKHeaderCtrlTheme* pTheme = header.GetHeaderTheme())
            pTheme->SetItemBitmap(0, 700, FALSE, RGB(255, 0, 255), &header);

        board.Label(L"sorted by Name, descending; columns sized to the width", 10, 156, 420);
        second.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(10, 174, 430, 290), &board, 301);
        FillList(second);
        CTKHeaderCtrl header2;
        header2.SubclassWindow(::GetDlgItem(second.GetSafeHwnd(), 0));
        if (look.kind == 1)
            header2.SetStyle(new CTKHeaderCtrlTheme);
        if (look.kind == 2)
            header2.SetStyle(new CTKHeaderCtrlThemeFlat);
        if (look.kind == 3)
            header2.SetStyle(new CTKHeaderCtrlThemeGradient);
        header2.SetSortArrow(0, FALSE);
        header2.EnableAutoSize();
        header2.AutoSizeToWidth();
        board.Label(L"(Type pressed)", 330, 4, 100);
        // The Type heading held down under the cursor.
        CRect type;
        header.GetItemRect(2, &type);
        header.ClientToScreen(&type);
        SetCursorPos(type.CenterPoint().x, type.CenterPoint().y);
        header.m_bLButtonDown = TRUE;
        EXPECT_TRUE(board.Save(look.name));
        header.m_bLButtonDown = FALSE;
        CursorAway();
        header.UnsubclassWindow();
        header2.UnsubclassWindow();
        CTKPUxThemeWrapper::SetForceUnavailable(FALSE);
    }

    Board board(L"list", 440, 300);
    board.Label(L"flat header, sorted column tinted, row colours, a selected row", 10, 4, 420);
    CTKListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(10, 22, 430, 180), &board,
        310);
    FillList(list);
    list.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    list.SubclassHeader();
    list.HighlightSortedColumn();
    list.EnableRowColors();
    list.SetSortColumn(2, TRUE);
    list.SetRowColor(1, RGB(0, 0, 160), RGB(255, 240, 200));
    list.SetRowColor(3, RGB(160, 0, 0), RGB(220, 255, 220));
    list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    list.SetCheck(0, TRUE);
    board.Label(L"disabled, custom colours", 10, 186, 420);
    CTKListCtrl disabled;
    disabled.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(10, 204, 430, 290), &board, 311);
    FillList(disabled);
    disabled.SetListColors(RGB(0, 0, 0), RGB(255, 255, 230));
    disabled.EnableWindow(FALSE);
    list.SetFocus();
    EXPECT_TRUE(board.Save(L"list"));
}

TEST(ControlsGallery, HyperLinks)
{
    Board board(L"hyperlinks", 420, 150);
    CTKHyperLink links[6];
    const LPCWSTR labels[] = {L"normal", L"hot", L"visited", L"centred", L"right", L"white back"};
    for (int i = 0; i < 6; ++i) {
        const int x = 10 + (i % 2) * 205, y = 10 + (i / 2) * 44;
        board.Label(labels[i], x, y, 190);
        const DWORD align = i == 3 ? SS_CENTER : i == 4 ? SS_RIGHT : SS_LEFT;
        links[i].Create(L"www.example.org/help", WS_CHILD | WS_VISIBLE | align, CRect(x, y + 18, x + 190, y + 36),
            &board, 400 + i);
    }
    links[1].m_bHot = TRUE;
    links[2].SetVisited(TRUE);
    links[5].SetBackColor(RGB(255, 255, 255));
    EXPECT_TRUE(board.Save(L"hyperlinks"));
}

TEST(ControlsGallery, Captions)
{
    const LPCWSTR names[] = {L"caption-default", L"caption-flat", L"caption-gradient"};
    for (int look = 0; look < 3; ++look) {
        Board board(names[look], 420, 250);
        struct Row {
            LPCWSTR label;
            DWORD flags;
            int border;
            bool icon;
            bool colours;
        } rows[] = {{L"caption button", 0, 0, false, false}, {L"caption button, hot", 0, 0, false, false},
            {L"caption button, pressed", 0, 0, false, false},
            {L"close button, double 3D", TKCS_CLOSEBUTTON | TKCS_DOUBLE3D, 0, false, false},
            {L"raised, border 3, icon, a text too long for the caption", TKCS_RAISED, 3, true, false},
            {L"user colours", TKCS_CLOSEBUTTON, 2, false, true}};
        CTKCaption captions[6];
        CWnd children[6];
        for (int i = 0; i < 6; ++i) {
            const int y = 6 + i * 40;
            board.Label(rows[i].label, 10, y, 400);
            const LPCWSTR text =
                rows[i].icon ? L"Folders and files found on the damaged volume, sorted by name and date" : L"Folders";
            captions[i].Create(&board, text, rows[i].flags, WS_VISIBLE, CRect(10, y + 16, 410, y + 38), 500 + i);
            if (look == 1) {
                captions[i].SetStyle(new CTKCaptionThemeFlat);
                captions[i].GetButton().SetStyle(new CTKCaptionButtonThemeFlat);
            }
            if (look == 2) {
                captions[i].SetStyle(new CTKCaptionThemeGradient);
                captions[i].GetButton().SetStyle(new CTKCaptionButtonThemeGradient);
            }
            if (rows[i].border || rows[i].icon)
                captions[i].ModifyCaptionStyle(rows[i].border, nullptr, nullptr,
                    rows[i].icon ? ::LoadIcon(nullptr, IDI_INFORMATION) : nullptr);
            if (rows[i].colours)
                captions[i].SetCaptionColors(RGB(31, 58, 104), RGB(29, 117, 189), RGB(255, 255, 255));
            if (captions[i].IsCaptionButtonMode()) {
                // The button shows once the caption has a child window.
                children[i].CreateEx(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, board.GetSafeHwnd(), nullptr);
                captions[i].SetChildWindow(&children[i], &board);
            }
        }
        captions[1].GetButton().m_bHot = TRUE;
        captions[2].GetButton().SetState(TRUE);
        EXPECT_TRUE(board.Save(names[look]));
    }
}

TEST(ControlsGallery, CaptionPopup)
{
    Board board(L"caption-popup", 420, 260);
    CWnd pane;
    pane.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_WINDOW + 1)), L"",
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 220, 200, board.GetSafeHwnd(), nullptr);
    CTKCaption caption;
    caption.Create(&pane, L"Found folders", 0, WS_VISIBLE, CRect(0, 0, 216, 22), 600);
    CTKListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 22, 216, 196), &pane, 601);
    FillList(list);
    caption.SetChildWindow(&list, &board);
    ASSERT_TRUE(caption.ShowPopup());
    CRect rc;
    board.GetWindowRect(&rc);
    CRect rcPopup;
    caption.GetPopup()->GetWindowRect(&rcPopup);
    rc.UnionRect(&rc, &rcPopup);
    EXPECT_TRUE(morvick::test::CaptureScreenRectToPng(rc, Board::Folder() + L"\\caption-popup.png"));
    caption.HidePopup();
    pane.DestroyWindow();
}
