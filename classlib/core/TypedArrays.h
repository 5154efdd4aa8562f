// The class library's named arrays, built on CArray.
#pragma once

#include "classlib/core/CArray.h"

class CByteArray : public CArray<BYTE, BYTE> {
  DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD> {
  DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
  DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT> {
  DECLARE_DYNAMIC(CUIntArray)
};

class CPtrArray : public CArray<void*, void*> {
  DECLARE_DYNAMIC(CPtrArray)
};

// Holds object pointers without owning them; Serialize stores and loads the objects themselves.
class CObArray : public CArray<CObject*, CObject*> {
  DECLARE_SERIAL(CObArray)
};

class CStringArray : public CArray<CString, const CString&> {
  DECLARE_SERIAL(CStringArray)
};
