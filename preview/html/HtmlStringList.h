// The renderer's textual tables: a list of wide strings (the attributes of a tag, a row of links)
// and a table of such lists (history, forms, form controls, the options of a list box). Reads out
// of range are safe: they give the empty string or an empty row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// h = h * 255 + character over the first `length` characters (wrapping); 0 for length < 1.
uint32_t HashText(const wchar_t* text, int length);

class CHtmlStringList {
public:
    // Appends a copy of the first `length` characters of text (a negative length: the whole
    // string). 0 for a null text, when nothing is added; else 1.
    int Add(const wchar_t* text, int length = -1);
    // Replaces the entry at index; 0 for an index out of range or a null text.
    int SetAt(int index, const wchar_t* text, int length = -1);
    // The entry's text (zero-terminated), or "" with length 0 for an index out of range.
    const wchar_t* GetAt(int index, int* length = nullptr) const;
    uint32_t GetHash(int index) const;
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    void RemoveAll();

private:
    struct Entry {
        std::wstring text;
        uint32_t hash = 0;
    };
    static Entry MakeEntry(const wchar_t* text, int length);

    std::vector<Entry> m_entries;
};

class CHtmlStringTable {
public:
    // Appends an empty row; returns the new row count.
    int AddRow();
    // Add on that row; 0 for a row out of range.
    int AddCell(int row, const wchar_t* text, int length = -1);
    // SetAt on that row; 0 for a row or cell out of range.
    int SetCell(int row, int cell, const wchar_t* text, int length = -1);
    // The row, or an empty row for an index out of range.
    const CHtmlStringList& GetRow(int row) const;
    // The text of one cell ("" out of range).
    const wchar_t* GetCell(int row, int cell, int* length = nullptr) const { return GetRow(row).GetAt(cell, length); }
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // Removes one row (0..count-1); the following rows move up. 0 when out of range.
    int RemoveRow(int row);
    void RemoveAllRows();

private:
    std::vector<CHtmlStringList> m_rows;
    CHtmlStringList m_empty;
};
