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

#elif defined(__x86_64__)

// 64-bit Windows keeps no handler chain in the thread: a frame's handler is named by the unwind
// tables of its function. TKPCallGuardedFrame's own frame names TKPGuardHandler. For an exception
// raised inside the call, the handler unwinds every frame above its own with RtlUnwindEx, which calls
// their handlers so that they clean up, and resumes at TKPGuardUnwound in the guarded frame, which
// returns 0. While the stack is being unwound it answers "continue the search".

extern "C" int TKPCallGuardedFrame(void (*pfn)(void*), void* pContext);
extern "C" char TKPGuardUnwound[];

asm(".text\n"
    ".globl TKPCallGuardedFrame\n"
    ".def TKPCallGuardedFrame; .scl 2; .type 32; .endef\n"
    ".seh_proc TKPCallGuardedFrame\n"
    "TKPCallGuardedFrame:\n"
    "    subq $40, %rsp\n"               // the callee's home area, the stack kept 16-byte aligned
    "    .seh_stackalloc 40\n"
    "    .seh_endprologue\n"
    "    .seh_handler TKPGuardHandler, @except\n"
    "    movq %rcx, %rax\n"
    "    movq %rdx, %rcx\n"
    "    call *%rax\n"
    "    movl $1, %eax\n"
    ".Ltkp_guard_leave:\n"
    "    addq $40, %rsp\n"
    "    ret\n"
    ".globl TKPGuardUnwound\n"
    "TKPGuardUnwound:\n"                // reached with the stack as the call left it
    "    xorl %eax, %eax\n"
    "    jmp .Ltkp_guard_leave\n"
    ".seh_endproc\n");

extern "C" EXCEPTION_DISPOSITION TKPGuardHandler(EXCEPTION_RECORD* pRecord, void* pFrame, CONTEXT* pContext,
                                                 DISPATCHER_CONTEXT* pDispatch)
{
    // A C++ exception (the compiler's own code, "GCC" with a kind in its high byte) is the C++
    // runtime's to unwind, as it passes the 32-bit frame by.
    if ((pRecord->ExceptionCode & 0x00FFFFFF) == 0x00474343)
        return ExceptionContinueSearch;
    if (pRecord->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    RtlUnwindEx(pFrame, TKPGuardUnwound, pRecord, nullptr, pContext, pDispatch->HistoryTable);
    return ExceptionContinueSearch;  // not reached: the unwind resumes in the guarded frame
}

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
