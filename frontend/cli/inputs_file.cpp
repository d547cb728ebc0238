#include "frontend/cli/inputs_file.h"

#include <cstdio>

namespace cli {

namespace {

// Whether the bytes are well-formed UTF-8 with at least one character
// beyond ASCII: text in a single-byte code page almost never is.
bool is_utf8_beyond_ascii(const std::string& text) {
    bool beyond = false;
    for (size_t i = 0; i < text.size();) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        size_t length = b < 0x80         ? 1
                        : (b >> 5) == 6  ? 2
                        : (b >> 4) == 14 ? 3
                        : (b >> 3) == 30 ? 4
                                         : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
        beyond = beyond || length > 1;
        i += length;
    }
    return beyond;
}

std::string code_points(const std::vector<uint32_t>& lacking) {
    std::string text;
    for (size_t i = 0; i < lacking.size(); ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(lacking[i]));
        text += (i == 0 ? "" : i + 1 == lacking.size() ? " and " : ", ") + std::string(buf);
    }
    return text;
}

} // namespace

InputList read_inputs_file(const std::string& bytes, platform::Os& os) {
    const std::string mark = "\xEF\xBB\xBF";
    bool marked = bytes.compare(0, mark.size(), mark) == 0;
    const std::string text = marked ? bytes.substr(mark.size()) : bytes;
    const bool utf8 = marked || is_utf8_beyond_ascii(text);
    InputList list;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        if (end > start) {
            std::string name = text.substr(start, end - start);
            std::vector<uint32_t> lacking = utf8 ? os.ansi_lacks(name) : std::vector<uint32_t>{};
            if (!lacking.empty())
                list.refused.push_back("the input \"" + name + "\" holds " + code_points(lacking) +
                                       ", which the ANSI code page cannot hold");
            else
                list.names.push_back(utf8 ? os.utf8_to_ansi(name) : name);
        }
        start = end + 1;
    }
    return list;
}

} // namespace cli
