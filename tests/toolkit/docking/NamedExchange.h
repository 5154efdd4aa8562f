// A settings exchange over a map of named values, for tests that look at the keys a layout writes
// and that damage single values: "Section/Key" -> text. Integers and Booleans are kept as decimal
// text, strings as they are. Sections share the owner's map.
#pragma once

#include "toolkit/common/PropExchange.h"

#include <map>
#include <memory>
#include <string>

class CNamedExchange : public CTKPPropExchange {
public:
    typedef std::map<std::wstring, std::wstring> Values;

    CNamedExchange(Values& values, BOOL bLoading, const std::wstring& prefix = std::wstring())
        : m_values(values), m_prefix(prefix)
    {
        m_bLoading = bLoading;
        // Every value is written, defaults too: the tests read back exactly what a layout holds.
        m_bUseDefaultOnSave = FALSE;
    }

    BOOL ExchangeProp(LPCTSTR pszPropName, WORD vtProp, void* pvProp, const void* pvDefault = NULL) override
    {
        const std::wstring key = m_prefix + pszPropName;
        if (!m_bLoading) {
            if (vtProp == TKPVT_STRING)
                m_values[key] = (LPCTSTR) * static_cast<CString*>(pvProp);
            else if (vtProp == TKPVT_I4 || vtProp == TKPVT_BOOL)
                m_values[key] = std::to_wstring(*static_cast<int*>(pvProp));
            else
                return FALSE;
            return TRUE;
        }
        auto it = m_values.find(key);
        if (it == m_values.end())
            return ApplyDefault(vtProp, pvProp, pvDefault);
        if (vtProp == TKPVT_STRING) {
            *static_cast<CString*>(pvProp) = it->second.c_str();
            return TRUE;
        }
        if (vtProp == TKPVT_I4 || vtProp == TKPVT_BOOL) {
            *static_cast<int*>(pvProp) = static_cast<int>(std::wcstol(it->second.c_str(), nullptr, 10));
            return TRUE;
        }
        return FALSE;
    }

    CTKPPropExchange* GetSection(LPCTSTR pszSection) override
    {
        CNamedExchange* p = new CNamedExchange(m_values, m_bLoading, m_prefix + pszSection + L"/");
        p->InheritSettings(this);
        p->m_bUseDefaultOnSave = FALSE;
        return p;
    }

    void EmptySection() override
    {
        for (auto it = m_values.begin(); it != m_values.end();) {
            if (it->first.compare(0, m_prefix.size(), m_prefix) == 0)
                it = m_values.erase(it);
            else
                ++it;
        }
    }

    // Test helpers.
    static bool Has(const Values& v, const std::wstring& key) { return v.count(key) != 0; }
    static int Int(const Values& v, const std::wstring& key)
    {
        auto it = v.find(key);
        return it == v.end() ? -999999 : static_cast<int>(std::wcstol(it->second.c_str(), nullptr, 10));
    }

private:
    Values& m_values;
    std::wstring m_prefix;
};
