// COleVariant, a VARIANT that owns its value, and COleCurrency, a currency amount (a 64-bit count
// of ten-thousandths) with its locale's text through the automation library.
#pragma once

#include "classlib/core/CString.h"

#include <oaidl.h>
#include <oleauto.h>

class COleVariant : public tagVARIANT {
public:
    COleVariant() { ::VariantInit(this); }
    COleVariant(const VARIANT& src);
    COleVariant(const COleVariant& src);
    COleVariant(LPCTSTR lpszSrc);
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    COleVariant(double dblSrc);
    ~COleVariant() { ::VariantClear(this); }

    const COleVariant& operator=(const VARIANT& src);
    const COleVariant& operator=(const COleVariant& src);
    void Clear() { ::VariantClear(this); }
    // Converts in place; throws COleException when the value has no such form.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = NULL);
    operator LPVARIANT() { return this; }
    operator const VARIANT*() const { return this; }
};

class CArchive;

// A variant in an archive: its type (16 bits), then its value; the empty and null variants have no
// value, strings are written as CString. A type without an archive form (arrays, references,
// interfaces...) throws CArchiveException (badIndex) on storing and on loading.
CArchive& operator<<(CArchive& ar, const COleVariant& varSrc);
CArchive& operator>>(CArchive& ar, COleVariant& varDest);

class COleCurrency {
public:
    enum CurrencyStatus { valid = 0, invalid = 1, null = 2 };

    COleCurrency() : m_status(valid) { m_cur.int64 = 0; }
    COleCurrency(CURRENCY cySrc) : m_cur(cySrc), m_status(valid) {}
    // nUnits whole units and nFractionalUnits ten-thousandths.
    COleCurrency(long nUnits, long nFractionalUnits);

    CurrencyStatus GetStatus() const { return m_status; }
    void SetStatus(CurrencyStatus status) { m_status = status; }

    // The amount as text in the locale's number form (no currency sign); "" when null and
    // "Invalid currency" when invalid.
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    // Reads an amount written in the locale's form; FALSE (status invalid) when it is none.
    BOOL ParseCurrency(LPCTSTR lpszCurrency, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    CURRENCY m_cur;
    CurrencyStatus m_status;
};
