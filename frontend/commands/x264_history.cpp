#include "frontend/commands/x264_history.h"

#include <algorithm>

#include "frontend/commands/job_blocks.h"
#include "frontend/commands/text_parts.h"

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

namespace {

// Where each ability is stated in the help text: the line holds `marker`,
// and the answer stands in the parentheses after `before` ("no" or "yes",
// or the library's name for MP4 output). Older builds wrote, for instance,
// "AVI or Avisynth if compiled with AVIS support (yes)" and "MP4 if
// compiled with GPAC support (no)".
struct Stated {
    std::optional<bool> X264Abilities::*ability;
    const char* marker;
    const char* before;
};
const Stated stated_abilities[] = {
    {&X264Abilities::mp4_output, "-> MP4", "support ("},
    {&X264Abilities::avisynth_input, "Avisynth if compiled", "support ("},
    {&X264Abilities::lavf_input, "lavf support", "lavf support ("},
    {&X264Abilities::ffms_input, "ffms support", "ffms support ("},
};

std::optional<bool> answer_in(const std::string& line, const char* before) {
    size_t at = line.find(before);
    if (at == std::string::npos) return std::nullopt;
    size_t open = at + std::string(before).size(), close = line.find(')', open);
    if (close == std::string::npos) return std::nullopt;
    std::string answer = line.substr(open, close - open);
    if (answer.empty()) return std::nullopt;
    return answer != "no";
}

} // namespace

X264Abilities x264_abilities(const std::string& help_output) {
    X264Abilities abilities;
    size_t start = 0;
    while (start < help_output.size()) {
        size_t end = help_output.find('\n', start);
        if (end == std::string::npos) end = help_output.size();
        const std::string line = help_output.substr(start, end - start);
        for (const Stated& s : stated_abilities)
            if (!(abilities.*s.ability) && line.find(s.marker) != std::string::npos)
                abilities.*s.ability = answer_in(line, s.before);
        start = end + 1;
    }
    return abilities;
}

namespace {

const char* const ability_names[] = {"mp4", "avisynth", "lavf", "ffms"};

} // namespace

std::string abilities_text(int build, const X264Abilities& abilities) {
    std::string text = std::to_string(build);
    for (size_t i = 0; i < std::size(stated_abilities); ++i) {
        const std::optional<bool>& a = abilities.*stated_abilities[i].ability;
        text += std::string(" ") + ability_names[i] + "=" + (!a ? "?" : *a ? "yes" : "no");
    }
    return text;
}

std::optional<X264Abilities> abilities_of(const std::string& text, int build) {
    const std::string head = std::to_string(build) + " ";
    if (!begins_with(text, head)) return std::nullopt;
    X264Abilities abilities;
    for (size_t i = 0; i < std::size(stated_abilities); ++i) {
        std::string word = std::string(" ") + ability_names[i] + "=";
        size_t at = text.find(word);
        if (at == std::string::npos) return std::nullopt;
        std::string value =
            text.substr(at + word.size(), text.find(' ', at + 1) - at - word.size());
        if (value == "yes" || value == "no")
            abilities.*stated_abilities[i].ability = value == "yes";
        else if (value != "?")
            return std::nullopt;
    }
    return abilities;
}

bool writes_no_mp4(const X264Abilities& abilities) {
    return abilities.mp4_output == false;
}

namespace {

// A raw YUV file's name tells its size, as x264 reads it: WIDTHxHEIGHT.
bool names_its_size(const std::string& name) {
    for (size_t x = name.find('x'); x != std::string::npos; x = name.find('x', x + 1)) {
        bool before = x > 0 && name[x - 1] >= '0' && name[x - 1] <= '9';
        bool after = x + 1 < name.size() && name[x + 1] >= '0' && name[x + 1] <= '9';
        if (before && after) return true;
    }
    return false;
}

bool reads_media(const X264Abilities& a) {
    return a.lavf_input != false || a.ffms_input != false;
}

} // namespace

bool reads_input(const X264Abilities& abilities, const std::string& input) {
    if (reads_media(abilities)) return true;
    const std::string ext = upper(extension(input));
    if (ext == "Y4M") return true;
    if (ext == "YUV") return names_its_size(file_name(input));
    if (ext == "AVS") return abilities.avisynth_input != false;
    return false;
}

std::string what_it_reads(const X264Abilities& abilities) {
    std::string text = "only .y4m files";
    if (abilities.avisynth_input != false)
        return text + ", raw .yuv files named with their size (such as clip_640x480.yuv) and "
                      "AviSynth scripts";
    return text + " and raw .yuv files named with their size (such as clip_640x480.yuv)";
}

} // namespace commands
