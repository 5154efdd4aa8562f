#include <gtest/gtest.h>

#include "classlib/core/AfxCore.h"
#include "tests/classlib/core/AfxTestSupport.h"

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
  DECLARE_DYNCREATE(CCircle)
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CUnrelated : public CObject {
  DECLARE_DYNCREATE(CUnrelated)
};
IMPLEMENT_DYNCREATE(CUnrelated, CObject)

TEST(RuntimeClassTest, KindsNamesAndFactories) {
  CCircle circle;
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CUnrelated)));
  EXPECT_STREQ(circle.GetRuntimeClass()->m_lpszClassName, "CCircle");
  EXPECT_TRUE(RUNTIME_CLASS(CCircle)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
  EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CCircle)));
  EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(NULL));
  EXPECT_FALSE(circle.IsSerializable());

  EXPECT_EQ(CRuntimeClass::FromName("CCircle"), RUNTIME_CLASS(CCircle));
  EXPECT_EQ(CRuntimeClass::FromName(L"CShape"), RUNTIME_CLASS(CShape));
  EXPECT_EQ(CRuntimeClass::FromName("ccircle"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName(L"C\u00C7ircle"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("CStringArray"), RUNTIME_CLASS(CStringArray));

  CObject* pOb = RUNTIME_CLASS(CCircle)->CreateObject();
  ASSERT_NE(pOb, nullptr);
  EXPECT_NE(DYNAMIC_DOWNCAST(CShape, pOb), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CUnrelated, pOb), nullptr);
  delete pOb;
  EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);  // not creatable
  pOb = CRuntimeClass::CreateObject("CUnrelated");
  EXPECT_NE(pOb, nullptr);
  delete pOb;
  EXPECT_EQ(AfxDynamicDownCast(RUNTIME_CLASS(CShape), NULL), nullptr);
}

int ThrowAndCatchWithMacros(int cause) {
  int result = 0;
  TRY {
    AfxThrowFileException(cause, 5, _T("x.dat"));
  }
  CATCH(CArchiveException, e) {
    result = -1;
  }
  AND_CATCH(CFileException, e) {
    result = e->m_cause * 100 + e->m_lOsError;
  }
  END_CATCH
  return result;
}

TEST(ExceptionTest, MacrosCatchByKindAndDeleteTheException) {
  EXPECT_EQ(ThrowAndCatchWithMacros(CFileException::diskFull), CFileException::diskFull * 100 + 5);
}

TEST(ExceptionTest, ThrowLastPassesTheSameObjectOn) {
  CException* outer = NULL;
  CException* inner = NULL;
  try {
    TRY {
      AfxThrowArchiveException(CArchiveException::badIndex);
    }
    CATCH_ALL(e) {
      inner = e;
      THROW_LAST();
    }
    END_CATCH_ALL
  } catch (CArchiveException* e) {
    outer = e;
    EXPECT_EQ(e->m_cause, CArchiveException::badIndex);
    e->Delete();
  }
  EXPECT_EQ(outer, inner);
}

TEST(ExceptionTest, MessagesAndTheStaticMemoryException) {
  TCHAR text[256];
  CFileException fe(CFileException::fileNotFound, 2, _T("C:\\a.txt"));
  EXPECT_TRUE(fe.GetErrorMessage(text, 256));
  EXPECT_NE(CString(text).Find(_T("C:\\a.txt")), -1);
  TCHAR tiny[4];
  EXPECT_TRUE(fe.GetErrorMessage(tiny, 4));
  EXPECT_EQ(CString(tiny).GetLength(), 3);
  CArchiveException ae(CArchiveException::endOfFile);
  EXPECT_TRUE(ae.GetErrorMessage(text, 256));
  try {
    AfxThrowMemoryException();
  } catch (CMemoryException* e) {
    EXPECT_FALSE(e->m_bAutoDelete);
    e->Delete();  // a no-op for the static object
  }
  EXPECT_AFX_THROW(AfxThrowUserException(), CUserException*);
  EXPECT_AFX_THROW(AfxThrowNotSupportedException(), CNotSupportedException*);
}

}  // namespace
