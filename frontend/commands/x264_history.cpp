#include "frontend/commands/x264_history.h"

#include <algorithm>

#include "frontend/commands/job_blocks.h"

namespace commands {

namespace {

// Options of the lines that x264 dropped, with the first build that refuses
// them. Builds before that one take them.
struct Dropped {
    const char* option;
    int refused_from;
};
const Dropped dropped_options[] = {
    // Never in mainline x264: it came with a separate adaptive-quantization patch.
    {"--aq-sensitivity", 0},
    // r996 (2008-09-30): B-frame RDO and bidirectional ME became part of the
    // subpixel refinement levels.
    {"--b-rdo", 996},
    {"--bime", 996},
    // r1177 (2009-07-01): new option defaults; progress is shown by default.
    {"--progress", 1177},
};

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The words of an x264 call, up to the pipe into the log writer; nothing
// when the line runs no x264.
std::optional<std::vector<std::string>> x264_words(const std::string& line) {
    std::optional<std::string> call = x264_call(line);
    if (!call || (call->size() > 8 && (*call)[8] != ' ')) return std::nullopt;
    std::vector<std::string> words;
    bool quoted = false;
    std::string word;
    for (char c : call->substr(8)) {
        if (c == '"') quoted = !quoted;
        if (c == ' ' && !quoted) {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
        if (!quoted && word.rfind("2>&1|", 0) == 0) return words;
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

} // namespace

std::optional<int> x264_build(const std::string& version_output) {
    const std::string head = "x264 0.";
    size_t at = version_output.find(head);
    if (at == std::string::npos) return std::nullopt;
    size_t core = at + head.size(), dot = core;
    while (dot < version_output.size() && is_digit(version_output[dot])) ++dot;
    if (dot == core || dot >= version_output.size() || version_output[dot] != '.')
        return std::nullopt;
    size_t end = dot + 1;
    while (end < version_output.size() && is_digit(version_output[end]) && end - dot <= 9) ++end;
    if (end == dot + 1) return std::nullopt;
    return std::stoi(version_output.substr(dot + 1, end - dot - 1));
}

std::vector<std::string> refused_options(const std::string& line, int build) {
    std::vector<std::string> refused;
    std::optional<std::vector<std::string>> words = x264_words(line);
    if (!words) return refused;
    for (const std::string& word : *words)
        for (const Dropped& d : dropped_options)
            if (word == d.option && build >= d.refused_from &&
                std::find(refused.begin(), refused.end(), word) == refused.end())
                refused.push_back(word);
    return refused;
}

} // namespace commands
