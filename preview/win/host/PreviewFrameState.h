// What the preview needs of the main frame: the pane's pointer and the three preview flags, and
// the request that shows a file. The frame class inherits this beside its window base:
//
//   class CMainFrame : public CTKPFrameWnd, public CPreviewFrameState
//
// The viewers find it through the current thread's main window (GetPreviewFrame).
#pragma once

#include "classlib/win/AfxWin.h"

class CMainPreviewView;
class CPreviewDocument;

class CPreviewFrameState {
 public:
  CPreviewFrameState();
  virtual ~CPreviewFrameState();

  // Makes the pane the frame's active view (without notification), closes its viewers and shows
  // the file. Nothing happens before the pane exists.
  void ShowFilePreview(CString strPath, CString strExtension);

  // The window that gets the keyboard focus back after a preview: the results page's file list.
  // NULL (the default) leaves the focus where it is.
  virtual CWnd* GetPreviewFocusTarget();

  // The scan that found the files (2 Quick Scan, 0 Extensive Scan, 1 File Trace): the application's
  // frame answers its scan mode. A drawing found by File Trace is not shown.
  virtual int GetScanMode() const;

  CMainPreviewView* m_pPreviewPane;  // set by the pane when it is created
  int m_bPreviewShown;               // 1 while the current preview is good, 0 after a viewer failed
  int m_bPreviewable;                // the answer of IsPreviewableExtension for the current file
  int m_bNoFileSelected;             // an entry that is no file was activated
};

// The current thread's main window as a frame with the preview state, or NULL (at shut-down, or a
// main window of another kind).
CPreviewFrameState* AFXAPI GetPreviewFrame();
CFrameWnd* AFXAPI GetPreviewFrameWnd();
// The main frame's active document when it is a preview document, else NULL.
CPreviewDocument* AFXAPI GetPreviewDocument();
