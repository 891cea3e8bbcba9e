// The x87 control word: bits 0 to 5 mask the invalid-operation, denormal,
// division-by-zero, overflow, underflow and precision exceptions.
#include "platform_services.h"

#if defined(__i386__) || defined(__x86_64__)

void MaskFloatExceptions() {
    std::uint16_t ControlWord = 0;
    asm volatile("fnstcw %0" : "=m"(ControlWord));
    ControlWord |= 0x3F;
    // fnclex first: loading a control word while an exception is pending
    // could raise it at the next x87 instruction.
    asm volatile("fnclex\n\tfldcw %0" : : "m"(ControlWord));
}

#else

// No x87 unit on this processor: nothing to mask.
void MaskFloatExceptions() {}

#endif
