#include "classlib/win/COleVariant.h"

#include "classlib/core/CArchive.h"
#include "classlib/core/CException.h"
#include "classlib/win/COleDispatchDriver.h"

COleVariant::COleVariant(const VARIANT& src)
{
    ::VariantInit(this);
    ::VariantCopy(this, const_cast<VARIANT*>(&src));
}

COleVariant::COleVariant(const COleVariant& src)
{
    ::VariantInit(this);
    ::VariantCopy(this, const_cast<COleVariant*>(&src));
}

COleVariant::COleVariant(LPCTSTR lpszSrc)
{
    ::VariantInit(this);
    vt = VT_BSTR;
    bstrVal = ::SysAllocString(lpszSrc != NULL ? lpszSrc : L"");
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = lSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vtSrc == VT_ERROR) {
        vt = VT_ERROR;
        scode = lSrc;
    } else {
        vt = VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = nSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(double dblSrc)
{
    ::VariantInit(this);
    vt = VT_R8;
    dblVal = dblSrc;
}

const COleVariant& COleVariant::operator=(const VARIANT& src)
{
    if (&src != this) {
        ::VariantClear(this);
        ::VariantCopy(this, const_cast<VARIANT*>(&src));
    }
    return *this;
}

const COleVariant& COleVariant::operator=(const COleVariant& src)
{
    return operator=(static_cast<const VARIANT&>(src));
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    HRESULT hr = ::VariantChangeType(this, pSrc != NULL ? pSrc : this, 0, vartype);
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

COleCurrency::COleCurrency(long nUnits, long nFractionalUnits) : m_status(valid)
{
    m_cur.int64 = static_cast<LONGLONG>(nUnits) * 10000 + nFractionalUnits;
}

CString COleCurrency::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status == null)
        return CString();
    if (m_status == invalid)
        return CString(L"Invalid currency");
    BSTR text = NULL;
    if (FAILED(::VarBstrFromCy(m_cur, lcid, dwFlags, &text)))
        return CString();
    CString result(text);
    ::SysFreeString(text);
    return result;
}

BOOL COleCurrency::ParseCurrency(LPCTSTR lpszCurrency, DWORD dwFlags, LCID lcid)
{
    if (lpszCurrency == NULL || FAILED(::VarCyFromStr(const_cast<LPOLESTR>(lpszCurrency), lcid, dwFlags, &m_cur))) {
        m_cur.int64 = 0;
        m_status = invalid;
        return FALSE;
    }
    m_status = valid;
    return TRUE;
}

namespace {

// Bytes of the value of a variant type written as raw bytes; 0 for none, -1 for no archive form.
int ArchivedValueSize(VARTYPE vt)
{
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        return 0;
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_UI8:
        return 8;
    default:
        return -1;
    }
}

}  // namespace

CArchive& operator<<(CArchive& ar, const COleVariant& varSrc)
{
    const VARTYPE vt = varSrc.vt;
    if (vt == VT_BSTR) {
        ar << (WORD)vt;
        ar << CString(varSrc.bstrVal != NULL ? varSrc.bstrVal : L"");
        return ar;
    }
    const int nSize = ArchivedValueSize(vt);
    if (nSize < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    ar << (WORD)vt;
    if (nSize > 0)
        ar.Write(&varSrc.bVal, (UINT)nSize);
    return ar;
}

CArchive& operator>>(CArchive& ar, COleVariant& varDest)
{
    WORD wType = 0;
    ar >> wType;
    const VARTYPE vt = (VARTYPE)wType;
    if (vt == VT_BSTR) {
        CString str;
        ar >> str;
        varDest = COleVariant(static_cast<LPCTSTR>(str));
        return ar;
    }
    const int nSize = ArchivedValueSize(vt);
    if (nSize < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    VARIANT var;
    ::VariantInit(&var);
    if (nSize > 0 && ar.Read(&var.bVal, (UINT)nSize) != (UINT)nSize)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    var.vt = vt;
    varDest = var;
    return ar;
}
