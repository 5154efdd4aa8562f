// Holds a reference on a reference-counted toolkit object for the length of a scope, so that a
// handler called meanwhile cannot free it under the caller. An object whose count is already 0 (it
// is being destroyed) is not held.
#pragma once

#include "classlib/win/CCmdTarget.h"

class CTKPRefHolder {
public:
    explicit CTKPRefHolder(CCmdTarget* pTarget) : m_pTarget(NULL)
    {
        if (pTarget != NULL && pTarget->GetRefCount() > 0) {
            m_pTarget = pTarget;
            m_pTarget->InternalAddRef();
        }
    }
    ~CTKPRefHolder()
    {
        if (m_pTarget != NULL)
            m_pTarget->InternalRelease();
    }
    CTKPRefHolder(const CTKPRefHolder&) = delete;
    CTKPRefHolder& operator=(const CTKPRefHolder&) = delete;

private:
    CCmdTarget* m_pTarget;
};
