#pragma once

#include <string>

namespace morvick::test {

std::string ToUtf8(const std::u16string& text);

}  // namespace morvick::test
