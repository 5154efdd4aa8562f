// The settings exchange over an archive: values in call order, little-endian, names ignored. A
// section is the continuation of the stream. A cut or damaged stream raises the archive's
// exceptions to the caller.
#pragma once

#include "toolkit/common/PropExchange.h"

class CTKPPropExchangeArchive : public CTKPPropExchange
{
  DECLARE_DYNAMIC(CTKPPropExchangeArchive)
public:
  explicit CTKPPropExchangeArchive(CArchive& ar);

  BOOL ExchangeProp(LPCTSTR pszPropName, WORD vtProp, void* pvProp, const void* pvDefault = NULL) override;
  BOOL ExchangeBinary(LPCTSTR pszPropName, BYTE** ppData, DWORD* pcbData) override;
  BOOL ExchangeClass(LPCTSTR pszPropName, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass) override;
  BOOL ExchangeRuntimeClass(CObject** ppObject, CRuntimeClass* pBaseClass) override;
  CArchive* OpenArchive(LPCTSTR pszPropName) override;
  void CloseArchive(LPCTSTR pszPropName, CArchive* pArchive) override;
  CTKPPropExchange* GetSection(LPCTSTR pszSection) override;
  void WriteCount(DWORD dwCount) override;
  DWORD ReadCount() override;
  void WriteBytes(LPCTSTR pszPropName, BYTE* pData, DWORD cbData) override;
  DWORD ReadBytes(LPCTSTR pszPropName, BYTE* pData, DWORD cbData) override;
  BOOL CanOmitDefaults() const override { return FALSE; }
  BOOL CanStoreBinary() const override { return TRUE; }
  DWORD LimitLoadedCount(DWORD dwCount) override;

protected:
  // Reads exactly cb bytes; FALSE (and the stream at its end) when fewer are left.
  BOOL ReadExact(void* pv, UINT cb);
  // Reads and drops cb bytes; FALSE when the stream ends first.
  BOOL Skip(ULONGLONG cb);
  // The most bytes the stream can still hold (its file's whole length).
  ULONGLONG GetStreamLimit() const;

  CArchive& m_ar;
};
