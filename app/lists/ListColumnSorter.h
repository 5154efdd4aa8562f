// Sorts the rows of a report-style list control by the text of one column, read as a whole number,
// as text, as a date and time, or as a decimal number. The sorter lives for one sort: it gives each
// row a record of its own data and its text, lets the list control sort, and gives every row its
// own data back when it is destroyed.
#pragma once

#include "classlib/win/AfxWin.h"

// One row while the sorter exists.
struct CListSortItem {
    DWORD_PTR data = 0;  // the row's own item data
    CString text;        // the row's text in the sorted column
    int row = 0;         // the row's place before the sort (equal texts keep their order)
};

class CListColumnSorter {
public:
    enum SortType : int {
        kWholeNumber = 1,  // the decimal digits of the text, everything else dropped
        kText = 2,         // without regard to case
        kDateTime = 3,     // the program's own "d-m-yyyy[ h:m:s]", else the user's locale
        kDecimal = 4,      // a floating-point number
    };

    CListColumnSorter(CListCtrl* list, int column);
    virtual ~CListColumnSorter();
    CListColumnSorter(const CListColumnSorter&) = delete;
    CListColumnSorter& operator=(const CListColumnSorter&) = delete;

    // Sorts the rows ascending or descending. A descending sort is the exact reverse of the
    // ascending one: rows that compare equal are ordered by their place before the sort.
    BOOL Sort(bool ascending, int type);

    // The comparison callback: a and b are the rows' records; the parameter is the type, negated for
    // a descending sort. A type outside 1 to 4 compares every row equal.
    static int CALLBACK Compare(LPARAM a, LPARAM b, LPARAM parameter);

    // The order of two texts read as `type`, ascending: -1, 0 or 1 (0 for a type outside 1 to 4).
    static int CompareTexts(int type, const CString& a, const CString& b);

    // The value parts of the comparison.
    static unsigned long long WholeNumberOf(const CString& text);
    // Days since 30 December 1899 with the time as the fraction; false when the text is no date.
    static bool DateTimeOf(const CString& text, double& value);
    static double DecimalOf(const CString& text);

private:
    CListCtrl* m_list;
};
