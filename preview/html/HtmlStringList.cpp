#include "preview/html/HtmlStringList.h"

#include <cwchar>

uint32_t HashText(const wchar_t* text, int length)
{
    uint32_t h = 0;
    if (text == nullptr)
        return 0;
    for (int i = 0; i < length; ++i)
        h = h * 255u + static_cast<uint32_t>(text[i]);
    return h;
}

CHtmlStringList::Entry CHtmlStringList::MakeEntry(const wchar_t* text, int length)
{
    Entry e;
    size_t n = length < 0 ? std::wcslen(text) : static_cast<size_t>(length);
    e.text.assign(text, n);
    e.hash = HashText(e.text.c_str(), static_cast<int>(n));
    return e;
}

int CHtmlStringList::Add(const wchar_t* text, int length)
{
    if (text == nullptr)
        return 0;
    m_entries.push_back(MakeEntry(text, length));
    return 1;
}

int CHtmlStringList::SetAt(int index, const wchar_t* text, int length)
{
    if (text == nullptr || index < 0 || index >= GetCount())
        return 0;
    m_entries[static_cast<size_t>(index)] = MakeEntry(text, length);
    return 1;
}

const wchar_t* CHtmlStringList::GetAt(int index, int* length) const
{
    if (index < 0 || index >= GetCount()) {
        if (length != nullptr)
            *length = 0;
        return L"";
    }
    const Entry& e = m_entries[static_cast<size_t>(index)];
    if (length != nullptr)
        *length = static_cast<int>(e.text.size());
    return e.text.c_str();
}

uint32_t CHtmlStringList::GetHash(int index) const
{
    return index < 0 || index >= GetCount() ? 0 : m_entries[static_cast<size_t>(index)].hash;
}

void CHtmlStringList::RemoveAll()
{
    m_entries.clear();
    m_entries.shrink_to_fit();
}

int CHtmlStringTable::AddRow()
{
    m_rows.emplace_back();
    return GetRowCount();
}

int CHtmlStringTable::AddCell(int row, const wchar_t* text, int length)
{
    if (row < 0 || row >= GetRowCount())
        return 0;
    return m_rows[static_cast<size_t>(row)].Add(text, length);
}

int CHtmlStringTable::SetCell(int row, int cell, const wchar_t* text, int length)
{
    if (row < 0 || row >= GetRowCount())
        return 0;
    return m_rows[static_cast<size_t>(row)].SetAt(cell, text, length);
}

const CHtmlStringList& CHtmlStringTable::GetRow(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return m_empty;
    return m_rows[static_cast<size_t>(row)];
}

int CHtmlStringTable::RemoveRow(int row)
{
    if (row < 0 || row >= GetRowCount())
        return 0;
    m_rows.erase(m_rows.begin() + row);
    return 1;
}

void CHtmlStringTable::RemoveAllRows()
{
    while (!m_rows.empty())
        m_rows.pop_back();
}
