// One window per program folder: the name of the lock its window holds. The
// folder is known by its identity, its final path (links resolved) with its
// letter case folded, so every way of naming one folder gives one lock and
// two folders never share one: the name carries a 128-bit hash of the
// identity, whose collisions do not happen in practice.
#pragma once

#include <string>

namespace app {

// "Local\quorbel-" and 32 hexadecimal digits (FNV-1a, 128 bits).
std::string window_lock_name(const std::string& folder_identity);

} // namespace app
