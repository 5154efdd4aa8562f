#include "app/lists/ListColumnSorter.h"

#include <oleauto.h>

#include <cstdlib>
#include <cwctype>
#include <limits>

namespace {

int Sign(bool less, bool greater)
{
    return less ? -1 : (greater ? 1 : 0);
}

// Reads an unsigned decimal field at p (at least one digit); advances p.
bool ReadField(const wchar_t*& p, int maxDigits, int& value)
{
    int digits = 0;
    value = 0;
    while (*p >= L'0' && *p <= L'9' && digits < maxDigits) {
        value = value * 10 + (*p - L'0');
        ++p;
        ++digits;
    }
    return digits > 0;
}

bool Expect(const wchar_t*& p, wchar_t c)
{
    if (*p != c)
        return false;
    ++p;
    return true;
}

// Days from 30 December 1899 to the given date of the proleptic Gregorian calendar.
double SerialDay(int year, int month, int day)
{
    // Days since 1 March of year 0, then shifted to the epoch of the serial dates.
    const int y = month <= 2 ? year - 1 : year;
    const int era = y / 400;
    const int yoe = y - era * 400;
    const int mp = (month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long long days = static_cast<long long>(era) * 146097 + doe;  // since 0000-03-01
    const long long epoch = 693899;                                     // 1899-12-30 counted the same way
    return static_cast<double>(days - epoch);
}

bool ValidDate(int year, int month, int day)
{
    static const int lengths[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > lengths[month - 1])
        return false;
    if (month == 2 && day == 29)
        return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return true;
}

// The result list's own date texts: "dd-mm-yyyy " and "d-m-yyyy h:m:s".
bool ParseOwnDateTime(const CString& text, double& value)
{
    const wchar_t* p = text.GetString();
    while (*p == L' ')
        ++p;
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    if (!ReadField(p, 2, day) || !Expect(p, L'-') || !ReadField(p, 2, month) || !Expect(p, L'-') ||
        !ReadField(p, 4, year))
        return false;
    if (!ValidDate(year, month, day))
        return false;
    while (*p == L' ')
        ++p;
    if (*p != 0) {
        if (!ReadField(p, 2, hour) || !Expect(p, L':') || !ReadField(p, 2, minute) || !Expect(p, L':') ||
            !ReadField(p, 2, second))
            return false;
        if (hour > 23 || minute > 59 || second > 59)
            return false;
        while (*p == L' ')
            ++p;
        if (*p != 0)
            return false;
    }
    value = SerialDay(year, month, day) + (hour * 3600 + minute * 60 + second) / 86400.0;
    return true;
}

}  // namespace

CListColumnSorter::CListColumnSorter(CListCtrl* list, int column) : m_list(list)
{
    const int count = m_list->GetItemCount();
    for (int row = 0; row < count; ++row) {
        auto* item = new CListSortItem;
        item->data = m_list->GetItemData(row);
        item->text = m_list->GetItemText(row, column);
        item->row = row;
        m_list->SetItemData(row, reinterpret_cast<DWORD_PTR>(item));
    }
}

CListColumnSorter::~CListColumnSorter()
{
    const int count = m_list->GetItemCount();
    for (int row = 0; row < count; ++row) {
        auto* item = reinterpret_cast<CListSortItem*>(m_list->GetItemData(row));
        if (item == nullptr)
            continue;
        m_list->SetItemData(row, item->data);
        delete item;
    }
}

BOOL CListColumnSorter::Sort(bool ascending, int type)
{
    const LPARAM parameter = ascending ? type : -type;
    return m_list->SortItems(&CListColumnSorter::Compare, static_cast<DWORD_PTR>(parameter));
}

int CListColumnSorter::CompareTexts(int type, const CString& a, const CString& b)
{
    switch (type) {
    case kWholeNumber: {
        // 64-bit: sizes of files over 4 GB would wrap round in 32 bits and sort among the small ones.
        const unsigned long long u = WholeNumberOf(a), v = WholeNumberOf(b);
        return Sign(u<v, u> v);
    }
    case kText: {
        const int order = a.CompareNoCase(b);
        return Sign(order<0, order> 0);
    }
    case kDateTime: {
        double u = 0, v = 0;
        const bool hasU = DateTimeOf(a, u), hasV = DateTimeOf(b, v);
        // A text that is no date comes after every date, so the order stays one order.
        if (hasU && hasV)
            return Sign(u<v, u> v);
        return Sign(hasU && !hasV, !hasU && hasV);
    }
    case kDecimal: {
        const double u = DecimalOf(a), v = DecimalOf(b);
        return Sign(u<v, u> v);
    }
    default:
        return 0;
    }
}

int CALLBACK CListColumnSorter::Compare(LPARAM a, LPARAM b, LPARAM parameter)
{
    const auto* x = reinterpret_cast<const CListSortItem*>(a);
    const auto* y = reinterpret_cast<const CListSortItem*>(b);
    const int direction = parameter >= 0 ? 1 : -1;
    const LPARAM type = parameter >= 0 ? parameter : -parameter;
    if (type < kWholeNumber || type > kDecimal)
        return 0;
    int order = CompareTexts(static_cast<int>(type), x->text, y->text);
    if (order == 0)
        order = Sign(x->row<y->row, x->row> y->row);
    return order * direction;
}

unsigned long long CListColumnSorter::WholeNumberOf(const CString& text)
{
    const unsigned long long limit = std::numeric_limits<unsigned long long>::max();
    unsigned long long value = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = text[i];
        if (c < L'0' || c > L'9')
            continue;
        const unsigned digit = static_cast<unsigned>(c - L'0');
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return value;
}

bool CListColumnSorter::DateTimeOf(const CString& text, double& value)
{
    // The list's own date format first: the user's locale may read "08-12-2026" day and month swapped.
    if (ParseOwnDateTime(text, value))
        return true;
    if (text.IsEmpty())
        return false;
    DATE date = 0;
    BSTR copy = SysAllocString(text.GetString());
    const HRESULT hr = VarDateFromStr(copy, LOCALE_USER_DEFAULT, 0, &date);
    SysFreeString(copy);
    if (FAILED(hr))
        return false;
    value = date;
    return true;
}

double CListColumnSorter::DecimalOf(const CString& text)
{
    char narrow[256] = {};
    WideCharToMultiByte(CP_ACP, 0, text.GetString(), -1, narrow, sizeof(narrow) - 1, nullptr, nullptr);
    narrow[sizeof(narrow) - 1] = 0;
    return std::atof(narrow);
}
