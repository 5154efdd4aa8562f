// The interface through which the hook managers hand a window's message (or a key press) to the
// objects that registered for it.
#pragma once

#include <windows.h>

class CTKPHookSink {
public:
    virtual ~CTKPHookSink() {}

    enum { hookNotHandled = 0, hookHandled = 1, hookPass = 2 };

    // hookNotHandled: ask the next sink; hookHandled: the message is consumed and lResult is its
    // answer; hookPass: ask no further sink but let the message go on.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;
};
