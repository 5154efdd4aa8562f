// What a submitted form would send: its fields as "application/x-www-form-urlencoded" text.
#pragma once

#include <string>
#include <vector>

// Letters and digits stay, a space becomes "+", a character up to U+00FF becomes "%" and its two
// lower-case hex digits, and any character above becomes the "%xx" escapes of its UTF-8 bytes
// (a lone surrogate as U+FFFD).
std::wstring EncodeFormValue(const std::wstring& text);

struct HtmlFormField {
    std::wstring name;
    std::wstring value;
};

// "?name=value&name=value", values encoded; "" without fields.
std::wstring BuildFormQuery(const std::vector<HtmlFormField>& fields);
// The address a GET form goes to: the action and the query, joined by "&" when the action already
// has a query of its own.
std::wstring BuildFormGetUrl(const std::wstring& action, const std::wstring& query);
