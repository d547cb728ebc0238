#include "plugin/cpu_feature.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace levo {

namespace {

struct Flags {
    unsigned standard = 0, extended = 0;
};

#if defined(__i386__)
// The identification instruction exists when bit 21 (ID) of EFLAGS can be toggled.
bool has_cpuid() {
    unsigned before, after;
    __asm__ volatile("pushfl\n\t"
                     "pushfl\n\t"
                     "popl %0\n\t"
                     "movl %0, %1\n\t"
                     "xorl $0x200000, %0\n\t"
                     "pushl %0\n\t"
                     "popfl\n\t"
                     "pushfl\n\t"
                     "popl %0\n\t"
                     "popfl"
                     : "=&r"(after), "=&r"(before));
    return ((after ^ before) & 0x200000) != 0;
}
#elif defined(__x86_64__)
bool has_cpuid() {
    return true;
} // every 64-bit x86 processor has it
#endif

Flags probe() {
    Flags f;
#if defined(__i386__) || defined(__x86_64__)
    if (!has_cpuid()) return f;
    unsigned a, b, c, d;
    if (__get_cpuid(1, &a, &b, &c, &d)) f.standard = d;
    if (__get_cpuid(0x80000000, &a, &b, &c, &d) && a >= 0x80000001 &&
        __get_cpuid(0x80000001, &a, &b, &c, &d))
        f.extended = d;
#endif
    return f;
}

} // namespace

bool cpuFeature(Feature f) {
    static const Flags flags = probe();
    return f == Feature::mmx ? (flags.standard >> 23) & 1 : (flags.extended >> 31) & 1;
}

} // namespace levo
