// The per-thread tables that turn a Windows handle back into its C++ wrapper, for the GDI objects,
// device contexts, menus and image lists. A wrapper that owns or has attached a handle is
// "permanent"; FromHandle on any other handle makes a temporary wrapper that lives until the
// thread's next idle time (AfxDeleteTempGdiMaps), when it is detached from its handle and deleted.
#pragma once

#include <windows.h>
#include <unordered_map>

template <class TObject, class THandle>
class CGdiHandleTable {
public:
    // Wrappers are built by the owner's factory and released by its detach function, which must
    // clear the wrapper's handle so that deleting it leaves the handle alone.
    typedef TObject* (*Factory)(THandle h);
    typedef void (*Release)(TObject* p);

    CGdiHandleTable(Factory make, Release release) : m_make(make), m_release(release) {}
    ~CGdiHandleTable() { DeleteTemp(); }

    TObject* LookupPermanent(THandle h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    TObject* LookupTemporary(THandle h) const
    {
        auto it = m_temporary.find(h);
        return it == m_temporary.end() ? nullptr : it->second;
    }
    TObject* FromHandle(THandle h)
    {
        if (h == nullptr)
            return nullptr;
        if (TObject* p = LookupPermanent(h))
            return p;
        if (TObject* p = LookupTemporary(h))
            return p;
        TObject* p = m_make(h);
        m_temporary[h] = p;
        return p;
    }
    void SetPermanent(THandle h, TObject* p) { if (h) m_permanent[h] = p; }
    // Forgets the wrapper of h, whichever table it is in.
    void RemoveHandle(THandle h)
    {
        if (h == nullptr)
            return;
        m_permanent.erase(h);
        m_temporary.erase(h);
    }
    void DeleteTemp()
    {
        // Take the table first: releasing a wrapper may call back into RemoveHandle.
        std::unordered_map<THandle, TObject*> temps;
        temps.swap(m_temporary);
        for (auto& entry : temps) {
            m_release(entry.second);
            delete entry.second;
        }
    }
    size_t TemporaryCount() const { return m_temporary.size(); }

private:
    Factory m_make;
    Release m_release;
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, TObject*> m_temporary;
};

// One object per thread, kept in a fiber-local slot and freed when the thread ends, however the
// thread was started or ended.
template <class T>
class CGdiThreadSlot {
public:
    CGdiThreadSlot() : m_slot(::FlsAlloc(&Free)) {}
    T& Get(T* (*make)())
    {
        T* p = static_cast<T*>(::FlsGetValue(m_slot));
        if (p == nullptr) {
            p = make();
            ::FlsSetValue(m_slot, p);
        }
        return *p;
    }

private:
    static void WINAPI Free(void* p) { delete static_cast<T*>(p); }
    DWORD m_slot;
};

// Deletes this thread's temporary GDI object, DC, menu and image-list wrappers. The idle pass of
// the message loop calls it; pointers returned by FromHandle are invalid afterwards.
void AfxDeleteTempGdiMaps();
