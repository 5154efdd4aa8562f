// The number of blocks that operator new handed out in this test program and that are not yet
// deleted: a leak shows as a count that grows when the same work is repeated.
#pragma once

#include <cstddef>

std::ptrdiff_t LiveAllocations();
