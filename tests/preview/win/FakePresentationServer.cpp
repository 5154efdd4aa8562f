#include "tests/preview/win/FakePresentationServer.h"

#include <algorithm>
#include <utility>

namespace morvick::test {

namespace {

// {7A1E4C2B-5D93-4B8F-A60C-19E2F47D3B58}: the fake presentation program's class.
const CLSID kFakePresentationClsid = {0x7A1E4C2B, 0x5D93, 0x4B8F, {0xA6, 0x0C, 0x19, 0xE2, 0xF4, 0x7D, 0x3B, 0x58}};

constexpr DISPID kPresentations = 2001;
constexpr DISPID kQuit = 2021;
constexpr DISPID kOpen = 2004;
constexpr DISPID kSaveAs = 2036;

// One object of the program: logs each call under its member's name and checks its arguments'
// types before it answers.
class ProgramObject : public FakeDispatch {
public:
    ProgramObject(FakePresentationLog& log, const wchar_t* kind) : m_log(log), m_kind(kind) { ++m_log.objects; }

    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
        UINT*) override
    {
        const wchar_t* member = Member(id, flags);
        if (member == NULL)
            return DISP_E_MEMBERNOTFOUND;
        std::vector<const VARIANT*> args;
        std::wstring call = m_kind + L"." + member + L"(";
        for (UINT i = params != NULL ? params->cArgs : 0; i > 0; --i) {
            call += (args.empty() ? L"" : L", ") + ArgumentDescription(params->rgvarg[i - 1]);
            args.push_back(&params->rgvarg[i - 1]);
        }
        m_log.calls.push_back(call + L")");
        const std::vector<VARTYPE> types = Types(id);
        if (args.size() != types.size())
            return DISP_E_BADPARAMCOUNT;
        for (size_t i = 0; i < args.size(); ++i)
            if (args[i]->vt != types[i])
                return DISP_E_TYPEMISMATCH;
        if (result != NULL)
            ::VariantInit(result);
        return Answer(id, args, result, info);
    }

protected:
    ~ProgramObject() override { --m_log.objects; }
    // The member's name for a dispatch id called the way the real program takes it, else NULL.
    virtual const wchar_t* Member(DISPID id, WORD flags) const = 0;
    virtual std::vector<VARTYPE> Types(DISPID id) const = 0;
    virtual HRESULT Answer(DISPID id, const std::vector<const VARIANT*>& args, VARIANT* result, EXCEPINFO* info) = 0;

    FakePresentationLog& m_log;

private:
    std::wstring m_kind;
};

HRESULT ReturnObject(VARIANT* result, IDispatch* object)
{
    if (result == NULL) {
        object->Release();
        return S_OK;
    }
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
    return S_OK;
}

class Presentation : public ProgramObject {
public:
    explicit Presentation(FakePresentationLog& log) : ProgramObject(log, L"Presentation") {}

protected:
    const wchar_t* Member(DISPID id, WORD flags) const override
    {
        return id == kSaveAs && (flags & DISPATCH_METHOD) ? L"SaveAs" : NULL;
    }
    std::vector<VARTYPE> Types(DISPID) const override { return {VT_BSTR, VT_I4, VT_I4}; }
    HRESULT Answer(DISPID, const std::vector<const VARIANT*>& args, VARIANT*, EXCEPINFO* info) override
    {
        std::wstring file = args[0]->bstrVal != NULL ? args[0]->bstrVal : L"";
        size_t dot = file.rfind(L'.');
        if (args[1]->lVal != 16 || dot == std::wstring::npos)
            return FailCall(info, L"This format is not exported here.");
        // Format 16: the slides as GIF pictures in the folder named like the file.
        std::wstring folder = file.substr(0, dot);
        m_log.folderBeforeSaving = FolderFiles(folder);
        ::CreateDirectoryW(folder.c_str(), NULL);
        for (int slide = 1; slide <= m_log.slides; ++slide) {
            if (slide - 1 == m_log.failAfterSlides)
                return FailCall(info, L"The export failed half-way.");
            std::wstring name = folder + L"\\Slide" + std::to_wstring(slide) + L".GIF";
            const std::vector<std::wstring>& pictures = m_log.slidePictures;
            if (pictures.empty() || !::CopyFileW(pictures[(slide - 1) % pictures.size()].c_str(), name.c_str(), FALSE))
                return FailCall(info, L"A slide could not be written.");
        }
        return S_OK;
    }
};

class Presentations : public ProgramObject {
public:
    explicit Presentations(FakePresentationLog& log) : ProgramObject(log, L"Presentations") {}

protected:
    const wchar_t* Member(DISPID id, WORD flags) const override
    {
        return id == kOpen && (flags & DISPATCH_METHOD) ? L"Open" : NULL;
    }
    std::vector<VARTYPE> Types(DISPID) const override { return {VT_BSTR, VT_I4, VT_I4, VT_I4}; }
    HRESULT Answer(DISPID, const std::vector<const VARIANT*>& args, VARIANT* result, EXCEPINFO* info) override
    {
        if (m_log.failOpen || ::GetFileAttributesW(args[0]->bstrVal) == INVALID_FILE_ATTRIBUTES)
            return FailCall(info, L"The presentation cannot be opened.");
        return ReturnObject(result, new Presentation(m_log));
    }
};

class Application : public ProgramObject {
public:
    explicit Application(FakePresentationLog& log) : ProgramObject(log, L"Application") {}

protected:
    const wchar_t* Member(DISPID id, WORD flags) const override
    {
        if (id == kPresentations && (flags & DISPATCH_PROPERTYGET))
            return L"Presentations";
        return id == kQuit && (flags & DISPATCH_METHOD) ? L"Quit" : NULL;
    }
    std::vector<VARTYPE> Types(DISPID) const override { return {}; }
    HRESULT Answer(DISPID id, const std::vector<const VARIANT*>&, VARIANT* result, EXCEPINFO*) override
    {
        if (id == kQuit)
            return S_OK;
        return ReturnObject(result, new Presentations(m_log));
    }
};

}  // namespace

FakePresentationServer::FakePresentationServer(std::vector<std::wstring> slidePictures)
    : m_registration(L"Powerpoint.Application", kFakePresentationClsid,
          [this]() -> IUnknown* { return new Application(m_log); })
{
    m_log.slidePictures = std::move(slidePictures);
}

}  // namespace morvick::test
