// Calls into system libraries that must not take the program down: a fault raised inside the call
// (an access violation, say) is caught by a structured-exception frame that lives only for that call.
// The frames the call left behind are unwound with their own handlers (as a compiler's __except
// does), and the caller is told that the call did not complete.
#pragma once

#include <type_traits>

namespace tkguard {

// Runs pfn(pContext); FALSE (0) when an exception was raised inside it, else TRUE.
// The function and everything it calls must not throw C++ exceptions, and must keep no object with a
// destructor on the way to the call that may fault: such frames are left, not unwound by the C++
// runtime.
int CallGuarded(void (*pfn)(void*), void* pContext);

template <typename Call>
void InvokeCall(void* pContext)
{
    (*static_cast<Call*>(pContext))();
}

// Runs the call object (a lambda taking its arguments by reference); TRUE when it completed.
template <typename Call>
bool Guarded(Call&& call)
{
    return CallGuarded(&InvokeCall<typename std::remove_reference<Call>::type>, &call) != 0;
}

}  // namespace tkguard
