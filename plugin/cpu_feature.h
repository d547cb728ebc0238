// Which vector instruction sets the processor offers.
#pragma once

namespace levo {

enum class Feature { mmx, amd3dnow };

// From the processor identification instruction, probed once and cached:
// MMX is bit 23 of the standard feature flags (leaf 1, EDX), 3DNow! bit 31 of
// the extended ones (leaf 0x80000001, EDX). A processor without the
// instruction, or one that is not x86, answers false.
bool cpuFeature(Feature f);

} // namespace levo
