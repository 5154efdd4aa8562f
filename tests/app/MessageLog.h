// The message log of the program's boxes (MORVICK_TEST_MSGLOG), as the wizard's tests read it.
#pragma once

#include <string>
#include <vector>

namespace morvick::test {

// The messages the boxes showed since the last call ("kind<TAB>text" lines); the log starts afresh.
std::vector<std::string> TakeMessages();

}  // namespace morvick::test
