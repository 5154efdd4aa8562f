// The button editor: the modal dialog in which the user edits a command-bar button's image pixel by
// pixel, with a palette, a transparent and a more-colours cell, the tools and commands toolbar, the
// move buttons, the enlarged canvas and a real-size preview.
#pragma once

#include "classlib/win/CDialog.h"
#include "classlib/win/CToolTipCtrl.h"
#include "toolkit/commandbars/customize/ImageEditorCanvas.h"
#include "toolkit/commandbars/customize/ImageEditorPicker.h"

class CTKPIconHandle;

class CTKPImageEditorDialog : public CDialog {
    DECLARE_DYNAMIC(CTKPImageEditorDialog)
public:
    enum { paletteCount = 16 };

    explicit CTKPImageEditorDialog(CWnd* pParent = NULL);
    ~CTKPImageEditorDialog() override;

    // The picture to edit: an image record, or only a size (the editor starts empty). A size below
    // 1 x 1 is refused (FALSE): the editor keeps the size it has.
    void SetImage(const CTKPIconHandle& image);
    BOOL SetPictureSize(CSize size);
    CSize GetPictureSize() const { return m_szPicture; }

    INT_PTR DoModal() override;
    // Modeless, for tests and galleries.
    BOOL CreateModeless(CWnd* pParent);

    // After OK: a copy of a picture with alpha (32-bit bitmap), or an icon of a picture without;
    // both null when there is no picture. The caller owns what it gets.
    void GetResult(HBITMAP* phAlphaBitmap, HICON* phIcon) const;

    CTKPImageEditorCanvas& GetCanvas() { return m_wndCanvas; }
    int GetTool() const { return m_nTool; }
    void SetTool(int nTool);
    // The colour of the selected cell.
    COLORREF GetSelectedColor() const;
    CTKPImageEditorPicker* GetSelectedPicker() const { return m_pSelected; }
    CTKPImageEditorPicker* GetPicker(UINT nID);
    void SelectPicker(CTKPImageEditorPicker* pPicker);
    // The colour picker's result: the more-colours cell takes the colour and is selected, and the
    // tool before the picker returns.
    void OnColorPicked(COLORREF clr);
    // Repaints the preview.
    void OnPictureChanged();
    // The toolbars' buttons take their state from the update handlers.
    void UpdateToolbars();
    HWND GetToolsToolbar() const { return m_hwndTools; }
    HWND GetMovesToolbar() const { return m_hwndMoves; }

    // Commands (toolbar buttons).
    afx_msg void OnTool(UINT nID);
    afx_msg void OnUpdateTool(CCmdUI* pCmdUI);
    afx_msg void OnMove(UINT nID);
    afx_msg void OnCopy();
    afx_msg void OnPaste();
    afx_msg void OnClear();
    afx_msg void OnUndo();
    afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
    afx_msg void OnRedo();
    afx_msg void OnUpdateRedo(CCmdUI* pCmdUI);
    afx_msg void OnImport();
    // Loads a picture file into the editor; FALSE (nothing changed) when it cannot be read.
    BOOL ImportFile(LPCTSTR lpszPath);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);

protected:
    void CreatePalette();
    HWND CreateToolbar(UINT nPlaceholderID, const UINT* pCommands, int nCount, int nFirstImage, int nWrap);
    void OnPickerClick(UINT nID);

    CSize m_szPicture;
    CTKPEditorPicture* m_pInitialPicture;
    int m_nTool;
    int m_nPreviousTool;
    CTKPImageEditorCanvas m_wndCanvas;
    CTKPImageEditorPreview m_wndPreview;
    CTKPImageEditorPicker m_pickers[paletteCount];
    CTKPImageEditorPicker m_wndTransparent;
    CTKPImageEditorPicker m_wndMoreColors;
    CTKPImageEditorPicker* m_pSelected;
    HWND m_hwndTools;
    HWND m_hwndMoves;
    HIMAGELIST m_hImages;
    CToolTipCtrl m_wndTips;

    DECLARE_MESSAGE_MAP()
};
