#include "tools/params/command_line.h"

namespace tools {

std::vector<std::string> split_parameters(const std::string& line) {
    std::vector<std::string> items;
    size_t i = 0;
    while (true) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i == line.size()) break;
        std::string item;
        if (line[i] == '"') {
            size_t close = line.find('"', i + 1);
            if (close == std::string::npos) close = line.size();
            item = line.substr(i + 1, close - i - 1);
            i = close == line.size() ? close : close + 1;
        } else {
            size_t end = line.find(' ', i);
            if (end == std::string::npos) end = line.size();
            item = line.substr(i, end - i);
            i = end;
        }
        items.push_back(item);
    }
    if (!items.empty()) items.erase(items.begin()); // the program's own name
    return items;
}

std::string parameter(const std::vector<std::string>& params, size_t n) {
    return n >= 1 && n <= params.size() ? params[n - 1] : "";
}

} // namespace tools
