// The pieces every fake automation server of the tests is made of: reference-counted dispatch
// objects, the texts of a call's arguments, a failing call, class factories, and the registration
// of a server under its ProgID for this process only (a volatile registry entry and
// CoRegisterClassObject), as the programs that use the real servers find them; and the listing of
// a folder, to see what a server left behind.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace morvick::test {

// The text of an argument (through VariantChangeType; a VARIANT passed by reference is followed).
std::wstring ArgumentText(const VARIANT& v);
// An argument as a call log shows it: a text in quotes, a number, true or false, "-" when omitted.
std::wstring ArgumentDescription(const VARIANT& v);
// The texts of a call's arguments in their natural order (first first).
std::vector<std::wstring> ArgumentTexts(const DISPPARAMS* params);
// Fills the exception record as a server does and answers DISP_E_EXCEPTION.
HRESULT FailCall(EXCEPINFO* info, const wchar_t* text);

// IUnknown reference counting for the fakes; objects start with one reference.
template <class Base>
class Counted : public Base {
public:
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_ref)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG n = ::InterlockedDecrement(&m_ref);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

protected:
    virtual ~Counted() = default;
    LONG m_ref = 1;
};

// A dispatch object without type information. Members are found by name through the table that
// Names() gives (a name's dispatch id is its place in the table plus one), without case.
class FakeDispatch : public Counted<IDispatch> {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;

protected:
    virtual std::vector<std::wstring> Names() const { return {}; }
    // The member's name of a dispatch id from the table, or "" when it has none.
    std::wstring NameOf(DISPID id) const;
};

// A class factory that makes objects with `make` (which returns one reference).
IClassFactory* MakeClassFactory(std::function<IUnknown*()> make);

// Registers a server under its ProgID while the object lives: the class object for this process,
// and the ProgID as a key of the user's classes (of the machine's only where the system does not
// read the user's), made only when the hive has no key of that name and removed at the end: a
// real program's registration is never changed or deleted. Not registered when the user has the
// name.
class AutomationServerRegistration {
public:
    AutomationServerRegistration(const wchar_t* progId, REFCLSID clsid, std::function<IUnknown*()> make);
    ~AutomationServerRegistration();
    AutomationServerRegistration(const AutomationServerRegistration&) = delete;
    AutomationServerRegistration& operator=(const AutomationServerRegistration&) = delete;
    bool Registered() const { return m_cookie != 0 && m_hive != NULL; }

private:
    enum class ProgIdKey { kMade, kTaken, kNoPlace };
    ProgIdKey AddProgId(HKEY hive);
    void RemoveProgId(HKEY hive);
    std::wstring m_progId;
    CLSID m_clsid;
    IClassFactory* m_factory = nullptr;
    DWORD m_cookie = 0;
    HKEY m_hive = NULL;  // where the ProgID was made
};

// The names of a folder's files (not its folders), sorted.
std::vector<std::wstring> FolderFiles(const std::wstring& folder);

}  // namespace morvick::test
