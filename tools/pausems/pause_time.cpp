#include "tools/pausems/pause_time.h"

namespace pausems {

std::optional<unsigned long> pause_time(const std::vector<std::string>& params) {
    if (params.size() != 1 || params[0].empty() || params[0].size() > 10) return std::nullopt;
    unsigned long long ms = 0;
    for (char c : params[0]) {
        if (c < '0' || c > '9') return std::nullopt;
        ms = ms * 10 + static_cast<unsigned>(c - '0');
    }
    if (ms > 2147483647ull) return std::nullopt;
    return static_cast<unsigned long>(ms);
}

} // namespace pausems
