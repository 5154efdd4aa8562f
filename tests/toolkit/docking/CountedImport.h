// Counts the calls this program makes to one function it imports from a system library, by pointing
// the program's import slot for it at a counting stand-in for as long as the object lives.
#pragma once

#include <windows.h>

#include <cstring>

namespace docktest {

// Counts LoadBitmapW: every bitmap the program loads from its resources.
class CountedBitmapLoads {
public:
    CountedBitmapLoads() : m_pSlot(FindSlot("user32.dll", "LoadBitmapW"))
    {
        if (m_pSlot == nullptr)
            return;
        s_pOriginal = reinterpret_cast<LoadBitmapProc>(*m_pSlot);
        s_nCalls = 0;
        Write(reinterpret_cast<ULONG_PTR>(&Counting));
    }
    ~CountedBitmapLoads()
    {
        if (m_pSlot)
            Write(reinterpret_cast<ULONG_PTR>(s_pOriginal));
    }
    CountedBitmapLoads(const CountedBitmapLoads&) = delete;
    CountedBitmapLoads& operator=(const CountedBitmapLoads&) = delete;

    bool Installed() const { return m_pSlot != nullptr; }
    // Calls since the last Reset (or since the count began).
    int Calls() const { return s_nCalls; }
    void Reset() { s_nCalls = 0; }

private:
    typedef HBITMAP(WINAPI* LoadBitmapProc)(HINSTANCE, LPCWSTR);
    static HBITMAP WINAPI Counting(HINSTANCE hInstance, LPCWSTR lpName)
    {
        ++s_nCalls;
        return s_pOriginal(hInstance, lpName);
    }

    // The program's import address slot of dll!name, null when the program does not import it.
    static ULONG_PTR* FindSlot(const char* dll, const char* name)
    {
        BYTE* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
        const IMAGE_NT_HEADERS* nt =
            reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (dir.VirtualAddress == 0)
            return nullptr;
        for (const IMAGE_IMPORT_DESCRIPTOR* imp =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
             imp->Name != 0; ++imp) {
            if (::lstrcmpiA(reinterpret_cast<const char*>(base + imp->Name), dll) != 0 || imp->OriginalFirstThunk == 0)
                continue;
            const IMAGE_THUNK_DATA* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
            IMAGE_THUNK_DATA* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
            for (; names->u1.AddressOfData != 0; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                const IMAGE_IMPORT_BY_NAME* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0)
                    return reinterpret_cast<ULONG_PTR*>(&slots->u1.Function);
            }
        }
        return nullptr;
    }

    void Write(ULONG_PTR value)
    {
        DWORD dwOld = 0;
        ::VirtualProtect(m_pSlot, sizeof(*m_pSlot), PAGE_READWRITE, &dwOld);
        *m_pSlot = value;
        ::VirtualProtect(m_pSlot, sizeof(*m_pSlot), dwOld, &dwOld);
    }

    ULONG_PTR* m_pSlot;
    static inline LoadBitmapProc s_pOriginal = nullptr;
    static inline int s_nCalls = 0;
};

}  // namespace docktest
