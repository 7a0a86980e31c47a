// The precision of the x87 unit, in which the model's long double arithmetic runs.
#pragma once

namespace korvalinde {

// Sets the x87 precision control of the calling thread to the full 64-bit mantissa of long double.
// Linux starts every thread that way; Windows starts every thread but the first at 53 bits (the
// precision of double), so a model run on a work thread there would round otherwise and give other
// texts. The model calls it at the start of each run; it stays set for the thread.
inline void VolleRekenprecisie() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    unsigned short stuur = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(stuur));
    if ((stuur & 0x300) != 0x300) {
        stuur = static_cast<unsigned short>(stuur | 0x300);
        __asm__ __volatile__("fldcw %0" : : "m"(stuur));
    }
#endif
}

} // namespace korvalinde
