// CCreateContext: what a frame needs to create its view for a document.
#pragma once

#include "classlib/core/AfxCore.h"

class CView;
class CDocument;
class CDocTemplate;
class CFrameWnd;

struct CCreateContext {
  CCreateContext() : m_pNewViewClass(NULL), m_pCurrentDoc(NULL), m_pNewDocTemplate(NULL), m_pLastView(NULL), m_pCurrentFrame(NULL) {}

  CRuntimeClass* m_pNewViewClass;  // view to create, or NULL
  CDocument* m_pCurrentDoc;        // document the new view shows
  CDocTemplate* m_pNewDocTemplate; // template of a new frame
  CView* m_pLastView;              // view to copy settings from
  CFrameWnd* m_pCurrentFrame;      // frame being copied
};
