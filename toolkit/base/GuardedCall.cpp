#include "toolkit/base/GuardedCall.h"

#include <windows.h>

#if defined(__i386__)

// One frame of the thread's exception-handler chain, kept on the stack by TKPCallGuardedFrame:
//   [esp + 0]  previous record       <- fs:[0] while the call runs
//   [esp + 4]  handler (TKPGuardHandler)
//   [esp + 8]  saved edi, esi, ebx, ebp, then the return address and the two arguments.
// The handler answers "continue the search" while the chain is being unwound. For an exception it
// unwinds every frame above its own with RtlUnwind, which calls their handlers so that they clean up
// (release locks, free what they hold), then returns 0 from TKPCallGuardedFrame on its own frame.

extern "C" int __cdecl TKPCallGuardedFrame(void (*pfn)(void*), void* pContext);

asm(".text\n"
    ".globl _TKPCallGuardedFrame\n"
    "_TKPCallGuardedFrame:\n"
    "    pushl %ebp\n"
    "    movl %esp, %ebp\n"
    "    pushl %ebx\n"
    "    pushl %esi\n"
    "    pushl %edi\n"
    "    pushl $_TKPGuardHandler\n"
    "    pushl %fs:0\n"
    "    movl %esp, %fs:0\n"
    "    pushl 12(%ebp)\n"
    "    call *8(%ebp)\n"
    "    addl $4, %esp\n"
    "    movl $1, %eax\n"
    ".Ltkp_guard_leave:\n"
    "    movl (%esp), %ecx\n"
    "    movl %ecx, %fs:0\n"
    "    addl $8, %esp\n"
    "    popl %edi\n"
    "    popl %esi\n"
    "    popl %ebx\n"
    "    popl %ebp\n"
    "    ret\n"
    "\n"
    ".globl _TKPGuardHandler\n"
    "_TKPGuardHandler:\n"
    "    movl 4(%esp), %eax\n"        // the exception record
    "    testl $6, 4(%eax)\n"         // EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND
    "    jz .Ltkp_guard_catch\n"
    "    movl $1, %eax\n"             // ExceptionContinueSearch
    "    ret\n"
    ".Ltkp_guard_catch:\n"
    "    movl 8(%esp), %edx\n"        // our frame
    "    pushl $0\n"                  // return value
    "    pushl %eax\n"                // exception record
    "    pushl $.Ltkp_guard_unwound\n" // target address
    "    pushl %edx\n"                // target frame: unwinding stops below it
    "    call *__imp__RtlUnwind@16\n"
    ".Ltkp_guard_unwound:\n"
    "    movl %fs:0, %esp\n"          // our frame heads the chain again
    "    leal 20(%esp), %ebp\n"
    "    cld\n"
    "    xorl %eax, %eax\n"
    "    jmp .Ltkp_guard_leave\n");

namespace tkguard {

int CallGuarded(void (*pfn)(void*), void* pContext)
{
    return TKPCallGuardedFrame(pfn, pContext);
}

}  // namespace tkguard

#else

namespace tkguard {

// Other targets unwind through tables that these frames have no part in: the call runs unguarded.
int CallGuarded(void (*pfn)(void*), void* pContext)
{
    pfn(pContext);
    return 1;
}

}  // namespace tkguard

#endif
