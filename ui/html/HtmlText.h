#pragma once
// Turning a message text into the form the layout reads, and escaping texts that are not markup.

#include <string>

namespace morvick::html {

// Decodes the character entities in one pass (a decoded "&" never starts another entity), drops
// carriage returns, turns line feeds and tabs into <br> and <t> (or drops them when multiLine is
// off) and encloses the result in <body>...</body>.
std::wstring PrepareHtmlText(const std::wstring& text, bool multiLine);

// Decodes the entities only.
std::wstring DecodeHtmlEntities(const std::wstring& text);

// Makes any text safe to put into a message: it shows exactly as written and no part of it is
// read as a tag or an entity. Use it for names and paths that come from outside the program.
std::wstring EscapeHtml(const std::wstring& text);

}  // namespace morvick::html
