#include "frontend/commands/job_blocks.h"

#include "frontend/commands/text_parts.h"
#include "frontend/settings/ascii_case.h"

namespace commands {

const char* const block_start = "@echo.";
const char* const block_end = "@echo+";

bool starts_block(const std::string& line) {
    return begins_with(line, block_start);
}

bool ends_block(const std::string& line) {
    return begins_with(line, block_end);
}

namespace {

// Where `text` first stands outside double quotes; npos when it does not.
size_t unquoted_find(const std::string& line, const std::string& text) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (!quoted && line.compare(i, text.size(), text) == 0) return i;
        if (line[i] == '"') quoted = !quoted;
    }
    return std::string::npos;
}

// The name right after `after`, as the command interpreter reads it: in
// double quotes, or else the word up to the next blank or pipe; nothing
// when there is none.
std::optional<std::string> quoted_after(const std::string& line, const std::string& after) {
    size_t at = line.find(after);
    if (at == std::string::npos) return std::nullopt;
    size_t open = line.find_first_not_of(' ', at + after.size());
    if (open == std::string::npos) return std::nullopt;
    if (line[open] != '"') {
        size_t end = line.find_first_of(" |", open);
        return name_in_script(line.substr(open, end == std::string::npos ? end : end - open));
    }
    size_t close = line.find('"', open + 1);
    if (close == std::string::npos) return std::nullopt;
    return name_in_script(line.substr(open + 1, close - open - 1));
}

// The line in ASCII lower case without its leading "@": what it runs, as the
// command interpreter finds programs, in any letter case.
std::string command_of(const std::string& line) {
    return settings::ascii_lower(line.size() > 0 && line[0] == '@' ? line.substr(1) : line);
}

// The line from `word` on, found in any letter case, with `word` spelt as
// given (the rest as it stands); nothing when the line holds no `word`.
std::optional<std::string> from_word(const std::string& line, const std::string& word) {
    size_t at = settings::ascii_lower(line).find(word);
    if (at == std::string::npos) return std::nullopt;
    return word + line.substr(at + word.size());
}

// The last name in double quotes.
std::optional<std::string> last_quoted(const std::string& line) {
    size_t close = line.rfind('"');
    size_t open =
        close == std::string::npos || close == 0 ? std::string::npos : line.rfind('"', close - 1);
    if (open == std::string::npos) return std::nullopt;
    return name_in_script(line.substr(open + 1, close - open - 1));
}

} // namespace

LineKind line_kind(const std::string& line) {
    if (starts_block(line) || ends_block(line)) return LineKind::marker;
    const std::string command = command_of(line);
    if (begins_with(command, "rem ")) return LineKind::disabled;
    if (begins_with(command, "echo")) return LineKind::echo;
    std::string guarded = command;
    if (begins_with(guarded, "if errorlevel 1 ")) guarded = command_of(guarded.substr(16));
    for (const char* x264 : {"x264.exe", "x264"})
        if (guarded == x264 || begins_with(guarded, x264 + std::string(" "))) return LineKind::x264;
    if (begins_with(command, "bepipe.exe") || begins_with(command, "ffmpeg.exe"))
        return LineKind::audio;
    if (begins_with(command, "mkvmerge ") || begins_with(command, "mkvmerge.exe ") ||
        begins_with(command, "mp4box.exe ") || begins_with(command, "mp4creator.exe ") ||
        (begins_with(command, "if exist ") && command.find(" move /y ") != std::string::npos))
        return LineKind::mux;
    if (begins_with(command, "sizegate.exe")) return LineKind::size_test;
    return LineKind::other;
}

bool runs_x264(const std::string& line) {
    return line_kind(line) == LineKind::x264;
}

std::optional<std::string> x264_call(const std::string& line) {
    if (!runs_x264(line)) return std::nullopt;
    // The program spelt as the generators spell it, whatever the user typed.
    std::string rest = line.substr(settings::ascii_lower(line).find("x264") + 4);
    if (begins_with(settings::ascii_lower(rest), ".exe")) rest.erase(0, 4);
    return "x264.exe" + rest;
}

std::optional<std::string> written_file(const std::string& line) {
    switch (line_kind(line)) {
    case LineKind::x264: {
        // " -o nul " writes nothing.
        size_t o = unquoted_find(line, " -o ");
        if (o == std::string::npos || line.compare(o + 4, 4, "nul ") == 0) return std::nullopt;
        return quoted_after(line.substr(o), " -o ");
    }
    case LineKind::audio: return last_quoted(line);
    case LineKind::mux:
        if (begins_with(command_of(line), "mkvmerge"))
            return quoted_after(from_word(line, "mkvmerge").value_or(""), " -o ");
        return last_quoted(line); // mp4box, mp4creator and the move write the output
    default: return std::nullopt;
    }
}

std::optional<std::string> stats_file(const std::string& line) {
    if (!runs_x264(line)) return std::nullopt;
    size_t at = unquoted_find(line, " --stats ");
    if (at == std::string::npos) return std::nullopt;
    return quoted_after(line.substr(at), " --stats ");
}

bool is_first_pass(const std::string& line) {
    return runs_x264(line) && unquoted_find(line, " -p 1") != std::string::npos;
}

std::optional<std::string> log_file(const std::string& line) {
    if (line_kind(line) == LineKind::disabled) return std::nullopt;
    const std::string pipe = "|runlog.exe ";
    size_t at = unquoted_find(settings::ascii_lower(line), pipe);
    if (at == std::string::npos) return std::nullopt;
    return quoted_after(line.substr(at + pipe.size()), "");
}

std::vector<JobBlock> job_blocks(const JobList& lines, size_t from) {
    std::vector<JobBlock> blocks;
    for (size_t i = from; i < lines.size(); ++i) {
        if (!starts_block(lines[i])) continue;
        JobBlock block;
        block.first = i;
        size_t j = i + 1;
        for (; j < lines.size(); ++j) {
            const std::string& line = lines[j];
            if (ends_block(line)) {
                block.ended = true;
                ++j;
                break;
            }
            if (starts_block(line)) break; // the next block: this one's end was edited away
            if (begins_with(line, "@echo Input:") && block.input.empty())
                block.input = quoted_after(line, "Input:").value_or("");
            LineKind kind = line_kind(line);
            // Any line that runs a program makes a job, ours or not: none
            // is left out of what runs it.
            if (kind != LineKind::disabled && kind != LineKind::marker && kind != LineKind::echo)
                block.live = true;
            if (kind == LineKind::x264 && block.log_file.empty())
                block.log_file = log_file(line).value_or("");
            if (std::optional<std::string> written = written_file(line))
                block.final_file = *written;
        }
        block.end = j;
        blocks.push_back(block);
        i = j - 1;
    }
    return blocks;
}

std::vector<JobBlock> live_jobs(const JobList& lines) {
    std::vector<JobBlock> jobs;
    for (JobBlock& block : job_blocks(lines))
        if (block.live) jobs.push_back(std::move(block));
    return jobs;
}

std::vector<std::string> files_written(const JobList& lines, size_t first, size_t end) {
    std::vector<std::string> files;
    for (size_t i = first; i < end; ++i)
        for (auto file : {written_file(lines[i]), stats_file(lines[i]), log_file(lines[i])})
            if (file) files.push_back(*file);
    return files;
}

std::optional<JobBlock> block_around(const JobList& lines, size_t at) {
    for (const JobBlock& block : job_blocks(lines)) {
        if (block.first > at) break;
        if (at < block.end) return block;
    }
    return std::nullopt;
}

} // namespace commands
