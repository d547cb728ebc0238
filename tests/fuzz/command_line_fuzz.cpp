// The console tools' command-line splitting: any line splits, no item holds
// a separating space unless it was quoted, and asking beyond the last item
// gives an empty parameter.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/params/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string line(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> items = tools::split_parameters(line);
    if (!tools::parameter(items, items.size() + 1).empty()) std::abort();
    size_t total = 0;
    for (const std::string& item : items) total += item.size();
    if (total > line.size()) std::abort();
    return 0;
}
