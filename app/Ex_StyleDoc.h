// CEx_StyleDoc: the document of the single-document template.
#pragma once

#include "classlib/win/AfxWin.h"

class CEx_StyleDoc : public CDocument {
  DECLARE_DYNCREATE(CEx_StyleDoc)
 public:
  CEx_StyleDoc();
  BOOL OnNewDocument() override;

  DECLARE_MESSAGE_MAP()
};
