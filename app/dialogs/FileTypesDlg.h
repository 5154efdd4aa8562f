// CFileTypesDlg: "File Types" (dialog 237), shown before File Trace starts. It lists the file types
// of the signature table Raw.dat by category in a tree of check boxes (all ticked at first) and the
// largest size of a traced file; OK turns the ticked types into the chosen signatures the trace
// searches for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/dialogs/SkinnedDialog.h"
#include "app/trees/FileTypeTreeCtrl.h"
#include "engine/scan/SignatureTable.h"

class CFileTypesDlg : public CSkinnedDialog {
public:
    static const wchar_t kPromptText[];
    static const wchar_t kNothingTickedText[];
    // The sizes offered, in MiB: 1 to 20, then 25 to 50 in steps of 5.
    static std::vector<uint32_t> SizeChoices();

    explicit CFileTypesDlg(CWnd* parent);

    // A record whose signature can be searched for: an extension, a length of 1 to 15 leading bytes
    // written in decimal digits, and at least that many signature bytes. Others are not offered.
    static bool IsUsableRecord(const SignatureRecord& record);
    // The usable records of a table, numbered as they stand in the file.
    static std::vector<SignatureRecord> UsableRecords(const SignatureTable& table);

    // The table file: Raw.dat in the program's folder.
    static std::u16string TablePath();
    // The size chosen last (MiB), 0 before any choice.
    static uint32_t LastChosenSize();
    static void ForgetChosenSize();

    // The run of the partition page's Scan in File Trace: the dialog, modally; true on OK.
    static bool ChooseSignatures(CWnd* owner);

    CFileTypeTreeCtrl& Tree() { return m_tree; }
    CComboBox& SizeBox() { return m_size; }
    // OK's work: false (the message shown) when nothing is ticked.
    bool Accept();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CFileTypeTreeCtrl m_tree;
    CComboBox m_size;
    CFont m_boldFont;
    std::vector<SignatureRecord> m_records;
};
