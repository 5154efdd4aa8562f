#include "tests/preview/win/FakeAutomation.h"

#include <algorithm>

namespace morvick::test {

std::wstring ArgumentText(const VARIANT& v)
{
    VARIANT copy;
    ::VariantInit(&copy);
    const VARIANT* source = &v;
    if (v.vt == (VT_VARIANT | VT_BYREF) && v.pvarVal != NULL)
        source = v.pvarVal;
    std::wstring text;
    if (SUCCEEDED(::VariantChangeType(&copy, const_cast<VARIANT*>(source), 0, VT_BSTR)) && copy.bstrVal != NULL)
        text = copy.bstrVal;
    ::VariantClear(&copy);
    return text;
}

std::wstring ArgumentDescription(const VARIANT& v)
{
    switch (v.vt) {
    case VT_BSTR:
        return L"'" + std::wstring(v.bstrVal != NULL ? v.bstrVal : L"") + L"'";
    case VT_BOOL:
        return v.boolVal ? L"true" : L"false";
    case VT_ERROR:
        return L"-";
    default:
        return ArgumentText(v);
    }
}

std::vector<std::wstring> ArgumentTexts(const DISPPARAMS* params)
{
    std::vector<std::wstring> out;
    if (params == NULL)
        return out;
    for (UINT i = params->cArgs; i > 0; --i)
        out.push_back(ArgumentText(params->rgvarg[i - 1]));
    return out;
}

HRESULT FailCall(EXCEPINFO* info, const wchar_t* text)
{
    if (info != NULL) {
        *info = EXCEPINFO();
        info->wCode = 1001;
        info->bstrDescription = ::SysAllocString(text);
        info->bstrSource = ::SysAllocString(L"fake");
    }
    return DISP_E_EXCEPTION;
}

STDMETHODIMP FakeDispatch::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP FakeDispatch::GetTypeInfoCount(UINT* n)
{
    *n = 0;
    return S_OK;
}

STDMETHODIMP FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    const std::vector<std::wstring> table = Names();
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (size_t k = 0; i == 0 && k < table.size(); ++k)
            if (lstrcmpiW(names[i], table[k].c_str()) == 0)
                ids[i] = static_cast<DISPID>(k + 1);
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

std::wstring FakeDispatch::NameOf(DISPID id) const
{
    const std::vector<std::wstring> table = Names();
    return id >= 1 && static_cast<size_t>(id) <= table.size() ? table[id - 1] : std::wstring();
}

namespace {

class Factory : public Counted<IClassFactory> {
public:
    explicit Factory(std::function<IUnknown*()> make) : m_make(std::move(make)) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        *ppv = NULL;
        if (outer != NULL)
            return CLASS_E_NOAGGREGATION;
        IUnknown* object = m_make();
        HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    std::function<IUnknown*()> m_make;
};

}  // namespace

IClassFactory* MakeClassFactory(std::function<IUnknown*()> make)
{
    return new Factory(std::move(make));
}

AutomationServerRegistration::AutomationServerRegistration(const wchar_t* progId, REFCLSID clsid,
    std::function<IUnknown*()> make)
    : m_progId(progId), m_clsid(clsid), m_factory(MakeClassFactory(std::move(make)))
{
    if (FAILED(::CoRegisterClassObject(m_clsid, m_factory, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
            REGCLS_MULTIPLEUSE, &m_cookie)))
        m_cookie = 0;
    // The user's classes; the machine's only where the user's have no place or the system does not
    // read them (so does Wine), never when the user has a key of the name.
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        const ProgIdKey key = AddProgId(hive);
        if (key == ProgIdKey::kTaken)
            break;
        if (key == ProgIdKey::kNoPlace)
            continue;
        CLSID found = {};
        if (SUCCEEDED(::CLSIDFromProgID(m_progId.c_str(), &found)) && ::IsEqualCLSID(found, m_clsid)) {
            m_hive = hive;
            break;
        }
        RemoveProgId(hive);
    }
}

AutomationServerRegistration::~AutomationServerRegistration()
{
    if (m_hive != NULL)
        RemoveProgId(m_hive);
    if (m_cookie != 0)
        ::CoRevokeClassObject(m_cookie);
    m_factory->Release();
}

// The ProgID as a volatile key of the hive's classes, only when the hive has no key of that name:
// a registration of a real program is never changed.
AutomationServerRegistration::ProgIdKey AutomationServerRegistration::AddProgId(HKEY hive)
{
    HKEY classes = NULL;
    if (::RegOpenKeyExW(hive, L"Software\\Classes", 0, KEY_CREATE_SUB_KEY, &classes) != ERROR_SUCCESS)
        return ProgIdKey::kNoPlace;
    HKEY progId = NULL;
    DWORD disposition = 0;
    LONG created = ::RegCreateKeyExW(classes, m_progId.c_str(), 0, NULL, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, NULL,
        &progId, &disposition);
    ::RegCloseKey(classes);
    if (created != ERROR_SUCCESS)
        return ProgIdKey::kNoPlace;
    if (disposition != REG_CREATED_NEW_KEY) {
        ::RegCloseKey(progId);
        return ProgIdKey::kTaken;
    }
    HKEY clsid = NULL;
    bool ok = ::RegCreateKeyExW(progId, L"CLSID", 0, NULL, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, NULL, &clsid, NULL) ==
        ERROR_SUCCESS;
    if (ok) {
        wchar_t text[64] = L"";
        ::StringFromGUID2(m_clsid, text, 64);
        ok = ::RegSetValueExW(clsid, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        ::RegCloseKey(clsid);
    }
    ::RegCloseKey(progId);
    if (ok)
        return ProgIdKey::kMade;
    RemoveProgId(hive);
    return ProgIdKey::kNoPlace;
}

// Removes the keys AddProgId made in the hive.
void AutomationServerRegistration::RemoveProgId(HKEY hive)
{
    const std::wstring key = L"Software\\Classes\\" + m_progId;
    ::RegDeleteKeyW(hive, (key + L"\\CLSID").c_str());
    ::RegDeleteKeyW(hive, key.c_str());
}

std::vector<std::wstring> FolderFiles(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace morvick::test
