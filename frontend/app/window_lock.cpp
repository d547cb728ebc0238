#include "frontend/app/window_lock.h"

#include <cstdint>

namespace app {

std::string window_lock_name(const std::string& folder_identity) {
    using u128 = unsigned __int128;
    const u128 prime = (static_cast<u128>(0x0000000001000000ULL) << 64) | 0x000000000000013BULL;
    u128 h = (static_cast<u128>(0x6C62272E07BB0142ULL) << 64) | 0x62B821756295C58DULL;
    for (char c : folder_identity) {
        h ^= static_cast<unsigned char>(c);
        h *= prime;
    }
    static const char digits[] = "0123456789abcdef";
    std::string name = "Local\\quorbel-";
    for (int shift = 124; shift >= 0; shift -= 4)
        name += digits[static_cast<unsigned>(h >> shift) & 15u];
    return name;
}

} // namespace app
