// Message maps: the tables that say which member handles which message, command or notification,
// and the macros that build them. Window-message entries (ON_WM_xxx) are in AfxWndMsgMacros.h.
#pragma once

#include "classlib/win/AfxWinDefs.h"

class CCmdTarget;
class CCmdUI;

typedef void (CCmdTarget::*AFX_PMSG)(void);

// How a handler is called: each value names one handler signature. The dispatchers in
// CCmdTarget (commands, notifications) and CWnd (window messages) switch on it.
enum AfxSig : UINT_PTR {
  AfxSig_end = 0,

  // commands and notifications (OnCmdMsg)
  AfxSigCmd_v,          // void ()
  AfxSigCmd_b,          // BOOL ()
  AfxSigCmd_RANGE,      // void (UINT)
  AfxSigCmd_EX,         // BOOL (UINT)
  AfxSigCmdUI,          // void (CCmdUI*)
  AfxSigNotify_v,       // void (NMHDR*, LRESULT*)
  AfxSigNotify_b,       // BOOL (NMHDR*, LRESULT*)
  AfxSigNotify_RANGE,   // void (UINT, NMHDR*, LRESULT*)
  AfxSigNotify_EX,      // BOOL (UINT, NMHDR*, LRESULT*)

  // window messages (CWnd::OnWndMsg)
  AfxSig_vv,            // void ()
  AfxSig_bv,            // BOOL ()
  AfxSig_lwl,           // LRESULT (WPARAM, LPARAM)
  AfxSig_vwp,           // void (UINT, CPoint)            client mouse messages
  AfxSig_vwp_nc,        // void (UINT, CPoint)            non-client mouse messages (screen point)
  AfxSig_bwsp,          // BOOL (UINT, short, CPoint)     WM_MOUSEWHEEL
  AfxSig_vwii,          // void (UINT, int, int)          WM_SIZE
  AfxSig_vvii,          // void (int, int)                WM_MOVE
  AfxSig_is,            // int (LPCREATESTRUCT)           WM_CREATE
  AfxSig_bs,            // BOOL (LPCREATESTRUCT)          WM_NCCREATE
  AfxSig_bD,            // BOOL (CDC*)                    WM_ERASEBKGND
  AfxSig_hDWw,          // HBRUSH (CDC*, CWnd*, UINT)     WM_CTLCOLORxxx
  AfxSig_hDw,           // HBRUSH (CDC*, UINT)            reflected WM_CTLCOLORxxx
  AfxSig_vw,            // void (UINT_PTR)                WM_TIMER
  AfxSig_vbw,           // void (BOOL, UINT)              WM_SHOWWINDOW
  AfxSig_vW,            // void (CWnd*)                   WM_SETFOCUS, WM_KILLFOCUS, WM_CAPTURECHANGED
  AfxSig_vWp,           // void (CWnd*, CPoint)           WM_CONTEXTMENU
  AfxSig_bWww,          // BOOL (CWnd*, UINT, UINT)       WM_SETCURSOR
  AfxSig_vwww,          // void (UINT, UINT, UINT)        key messages
  AfxSig_vwwW,          // void (UINT, UINT, CScrollBar*) WM_HSCROLL, WM_VSCROLL
  AfxSig_vwwx,          // void (UINT, UINT)              reflected scroll messages
  AfxSig_vwl,           // void (UINT, LPARAM)            WM_SYSCOMMAND, WM_PARENTNOTIFY
  AfxSig_vs,            // void (T*)                      one structure pointer in lParam
  AfxSig_vOWNER,        // void (int, LPDRAWITEMSTRUCT)   WM_DRAWITEM
  AfxSig_vMEASURE,      // void (int, LPMEASUREITEMSTRUCT) WM_MEASUREITEM
  AfxSig_vDRAW_REFLECT, // void (LPDRAWITEMSTRUCT)        reflected WM_DRAWITEM
  AfxSig_vMEASURE_REFLECT, // void (LPMEASUREITEMSTRUCT)  reflected WM_MEASUREITEM
  AfxSig_wp,            // UINT (CPoint)                  WM_NCHITTEST, older form
  AfxSig_lp,            // LRESULT (CPoint)               WM_NCHITTEST
  AfxSig_wv,            // UINT ()                        WM_GETDLGCODE
  AfxSig_iWww,          // int (CWnd*, UINT, UINT)        WM_MOUSEACTIVATE
  AfxSig_vwWb,          // void (UINT, CWnd*, BOOL)       WM_ACTIVATE
  AfxSig_vbh,           // void (BOOL, DWORD)             WM_ACTIVATEAPP
  AfxSig_bb,            // BOOL (BOOL)                    WM_NCACTIVATE
  AfxSig_vb,            // void (BOOL)                    WM_ENABLE, WM_ENDSESSION
  AfxSig_vbs,           // void (BOOL, NCCALCSIZE_PARAMS*) WM_NCCALCSIZE
  AfxSig_vMwb,          // void (CMenu*, UINT, BOOL)      WM_INITMENUPOPUP
  AfxSig_vwwh,          // void (UINT, UINT, HMENU)       WM_MENUSELECT
  AfxSig_vh,            // void (HDROP)                   WM_DROPFILES
  AfxSig_vwL,           // void (UINT, LPCTSTR)           WM_SETTINGCHANGE
  AfxSig_vwpR,          // void (UINT, LPRECT)            WM_SIZING, WM_MOVING
  AfxSig_bHELPINFO,     // BOOL (HELPINFO*)               WM_HELP
  AfxSig_lwwM,          // LRESULT (UINT, UINT, CMenu*)   WM_MENUCHAR
  AfxSig_viS,           // void (int, LPSTYLESTRUCT)      WM_STYLECHANGED, WM_STYLECHANGING

  // thread messages (CWinThread::PreTranslateMessage)
  AfxSig_vwl_thread,    // void (WPARAM, LPARAM)
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;   // window message, WM_COMMAND or WM_NOTIFY (plus WM_REFLECT_BASE when reflected)
  UINT nCode;      // control or notification code
  UINT nID;        // first control id (0 for window messages)
  UINT nLastID;    // last control id of a range (equal to nID otherwise)
  UINT_PTR nSig;   // AfxSig value; for registered messages the address of the message number
  AFX_PMSG pfn;    // the handler
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define afx_msg

#define DECLARE_MESSAGE_MAP()                                   \
 protected:                                                     \
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();          \
  virtual const AFX_MSGMAP* GetMessageMap() const;

// ThisClass and TheBaseClass are the names the entry macros use to reach the handlers.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                              \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }       \
  const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                                 \
    typedef theClass ThisClass;                                                            \
    typedef baseClass TheBaseClass;                                                        \
    (void)sizeof(ThisClass*);                                                              \
    (void)sizeof(TheBaseClass*);                                                           \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                  \
  { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 }                                                  \
  };                                                                                       \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                      \
  }

// Casts a handler to the table's common pointer type after checking its exact signature.
#define AFX_MSG_CAST(type, fn) reinterpret_cast<AFX_PMSG>(static_cast<type>(fn))

// Commands
#define ON_COMMAND(id, memberFxn) \
  { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, AFX_MSG_CAST(void (CCmdTarget::*)(), &ThisClass::memberFxn) },

#define ON_COMMAND_EX(id, memberFxn) \
  { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX, AFX_MSG_CAST(BOOL (CCmdTarget::*)(UINT), &ThisClass::memberFxn) },

#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, AFX_MSG_CAST(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn) },

#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
  { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_EX, AFX_MSG_CAST(BOOL (CCmdTarget::*)(UINT), &ThisClass::memberFxn) },

#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
  { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI, AFX_MSG_CAST(void (CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn) },

#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
  { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmdUI, AFX_MSG_CAST(void (CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn) },

// Control notifications sent as WM_COMMAND
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
  { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, AFX_MSG_CAST(void (CCmdTarget::*)(), &ThisClass::memberFxn) },

#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
  { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, AFX_MSG_CAST(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn) },

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// WM_NOTIFY
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                  \
  { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v,              \
    AFX_MSG_CAST(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },

#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                    \
  { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE,      \
    AFX_MSG_CAST(void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn) },

#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                               \
  { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_EX,             \
    AFX_MSG_CAST(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn) },

#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                 \
  { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_EX,         \
    AFX_MSG_CAST(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn) },

// Reflected notifications: the control handles its own notification before its parent sees it.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                              \
  { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v,              \
    AFX_MSG_CAST(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },

#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                           \
  { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b,              \
    AFX_MSG_CAST(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },

#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                             \
  { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v,                     \
    AFX_MSG_CAST(void (CCmdTarget::*)(), &ThisClass::memberFxn) },

#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                          \
  { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b,                     \
    AFX_MSG_CAST(BOOL (CCmdTarget::*)(), &ThisClass::memberFxn) },

// User-defined messages: LRESULT Handler(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                         \
  { (UINT)(message), 0, 0, 0, AfxSig_lwl,                                                      \
    AFX_MSG_CAST(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn) },

// User-defined messages without arguments or result: void Handler()
#define ON_MESSAGE_VOID(message, memberFxn)                                                    \
  { (UINT)(message), 0, 0, 0, AfxSig_vv, AFX_MSG_CAST(void (CCmdTarget::*)(), &ThisClass::memberFxn) },

// Registered messages: nMessageVariable is the UINT that RegisterWindowMessage returned.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                     \
  { 0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable),                                     \
    AFX_MSG_CAST(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn) },

// Messages posted to a thread (no window): void Handler(WPARAM, LPARAM)
#define ON_THREAD_MESSAGE(message, memberFxn)                                                  \
  { (UINT)(message), 0, 0, 0, AfxSig_vwl_thread,           \
    AFX_MSG_CAST(void (CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn) },

#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn)                              \
  { 0xC000, 1, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable),                                     \
    AFX_MSG_CAST(void (CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn) },

// Finds the entry for (nMsg, nCode, nID) in one table; NULL when there is none.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                   UINT nCode, UINT nID);
