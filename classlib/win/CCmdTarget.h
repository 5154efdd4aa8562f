// CCmdTarget: the base of every object that receives commands through a message map, with the
// reference count that OLE-style objects use.
#pragma once

#include "classlib/win/AfxMsgMap.h"

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget();
  virtual ~CCmdTarget();

  // Looks for a handler of command nID with code nCode in this object's map and calls it.
  // With pHandlerInfo it only reports the handler it would call. TRUE when handled.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  // Reference counting. The count starts at 1; OnFinalRelease runs when it reaches 0.
  DWORD InternalAddRef();
  DWORD InternalRelease();
  DWORD ExternalAddRef();
  DWORD ExternalRelease();
  virtual void OnFinalRelease();
  long GetRefCount() const { return m_dwRef; }

  // Wait cursor kept across nested calls: Begin shows it, End restores the previous cursor after
  // the last matching call, Restore shows it again after something else changed the cursor.
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

  // Automation: once enabled, the object hands out an IDispatch that shares its reference count.
  // This layer has no dispatch maps, so the dispatch has no members (see AfxEmptyDispatch).
  void EnableAutomation();
  // The object's IDispatch, NULL while automation is not enabled; with bAddRef the caller gets a
  // reference of its own.
  LPDISPATCH GetIDispatch(BOOL bAddRef);

 protected:
  volatile long m_dwRef;

  static const AFX_MSGMAP* PASCAL GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

 private:
  class XDispatch;
  XDispatch* m_pDispatch;  // made by EnableAutomation, lives as long as the object
};

// Calls the handler lpfn of pTarget with the signature nSig for a command or notification.
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra,
                              UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo);

// Shows the wait cursor for the lifetime of the object.
class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  void Restore();
};

// Process-wide wait-cursor helper behind BeginWaitCursor/EndWaitCursor: nCode 1 begins,
// -1 ends, 0 restores.
void AFXAPI AfxDoWaitCursor(int nCode);
