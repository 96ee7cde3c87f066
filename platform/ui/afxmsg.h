// Message maps: each window class lists the commands and messages it handles,
// and a message that no class of the chain handles goes to the default.
// Window messages with handlers in CWnd (OnTimer, OnClose, OnSysCommand,
// OnHScroll, ...) are virtual functions; their ON_WM_ entries are empty.
#pragma once

#include "winuser.h"

class CWnd;

enum AfxSig { AfxSig_end = 0, AfxSig_vv, AfxSig_lwl };

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AfxSig nSig;
    void (CWnd::*pfn)();
    LRESULT (CWnd::*pfnMessage)(WPARAM, LPARAM);
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define afx_msg

// Declared without `override` so that classes outside the window hierarchy
// (automation objects) may carry the macro too.
#ifdef DECLARE_MESSAGE_MAP
#undef DECLARE_MESSAGE_MAP
#endif
#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        typedef baseClass TheBaseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, AfxSig_end, nullptr, nullptr }                                                   \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

#define ON_CONTROL(code, id, memberFxn)                                                            \
    {WM_COMMAND, (UINT)(code), (UINT)(id),                                                         \
     (UINT)(id), AfxSig_vv,    static_cast<void (CWnd::*)()>(memberFxn),                           \
     nullptr},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_MESSAGE(message, memberFxn)                                                             \
    {(UINT)(message),                                                                              \
     0,                                                                                            \
     0,                                                                                            \
     0,                                                                                            \
     AfxSig_lwl,                                                                                   \
     nullptr,                                                                                      \
     static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(memberFxn)},

#define ON_WM_TIMER()
#define ON_WM_CLOSE()
#define ON_WM_SYSCOMMAND()
#define ON_WM_HSCROLL()
#define ON_WM_VSCROLL()
#define ON_WM_DESTROY()
#define ON_WM_SHOWWINDOW()

#ifndef DECLARE_DYNAMIC
#define DECLARE_DYNAMIC(theClass)
#endif
#ifndef IMPLEMENT_DYNAMIC
#define IMPLEMENT_DYNAMIC(theClass, baseClass)
#endif
