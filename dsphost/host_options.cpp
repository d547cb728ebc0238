#include "dsphost/host_options.h"

#include <cstdlib>

namespace dsphost {

const char usage[] = "usage: dsphost [--plugin PATH] [--frames N] IN OUT";

std::optional<Options> parse_options(const std::vector<std::string>& args, std::string& error) {
    Options o;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--plugin" || a == "--frames") {
            if (i + 1 == args.size()) {
                error = "option " + a + " needs a value";
                return std::nullopt;
            }
            const std::string& v = args[++i];
            if (a == "--plugin") {
                o.plugin = v;
                continue;
            }
            char* end = nullptr;
            long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end || n < 1 || n > 1 << 20) {
                error = "--frames takes a whole number from 1 to 1048576, not '" + v + "'";
                return std::nullopt;
            }
            o.frames = static_cast<int>(n);
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option " + a;
            return std::nullopt;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        error = std::string(usage);
        return std::nullopt;
    }
    o.in = files[0];
    o.out = files[1];
    return o;
}

} // namespace dsphost
