#include "frontend/cluster/posix_lines.h"

#include <algorithm>

#include "frontend/settings/ascii_case.h"

namespace cluster {

namespace {

struct Word {
    std::string text;
};

bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The programs a line may run, and what runs on a node in their place.
struct Program {
    const char* windows;
    const char* posix;
};
const Program programs[] = {
    {"x264.exe", "x264"},
    {"x264", "x264"},
    {"ffmpeg.exe", "ffmpeg"},
    {"ffmpeg", "ffmpeg"},
    {"mkvmerge.exe", "mkvmerge"},
    {"mkvmerge", "mkvmerge"},
    {"mp4box.exe", "MP4Box"},
    {"mp4box", "MP4Box"},
    {"mp4creator.exe", "mp4creator"},
    {"mp4creator", "mp4creator"},
    // The AAC encoders of the audio pipe, by the names of their Linux builds.
    {"neroaacenc.exe", "neroAacEnc"},
    {"neroaacenc_sse2.exe", "neroAacEnc"},
    {"enc_aacplus.exe", "enc_aacplus"},
    {"runlog.exe", "\"$tools/runlog\""},
    {"sizegate.exe", "\"$tools/sizegate\""},
    {"del", "rm -f --"}, // a name that begins with "-" stays a name
    {"move", "mv -f --"},
};

bool is_windows_path(const std::string& w) {
    bool drive = w.size() >= 3 && is_letter(w[0]) && w[1] == ':' && (w[2] == '\\' || w[2] == '/');
    return drive || (w.size() >= 2 && w[0] == '\\' && w[1] == '\\');
}

// The key of a Windows name for comparing: "/" as "\", A-Z as a-z.
std::string windows_key(const std::string& path) {
    std::string key = settings::ascii_lower(path);
    for (char& c : key)
        if (c == '/') c = '\\';
    return key;
}

std::string slashes(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

// A Windows path with "." and ".." resolved ("\\" as its separator), so a
// map matches the folder the name really is in; nothing (and `refusal` set)
// when it climbs above its drive's root or a part of it ends in a dot or a
// space, which Windows drops and POSIX keeps.
std::optional<std::string> resolved_windows_path(const std::string& w, std::string& refusal) {
    const bool unc = w[0] == '\\' || w[0] == '/';
    std::string root = unc ? "\\\\" : w.substr(0, 2) + "\\";
    std::vector<std::string> parts;
    size_t at = unc ? 2 : 3;
    for (size_t i = at; i <= w.size(); ++i) {
        if (i < w.size() && w[i] != '\\' && w[i] != '/') continue;
        std::string part = w.substr(at, i - at);
        at = i + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (parts.size() <= (unc ? 2u : 0u)) {
                refusal = "the Windows path " + w + " climbs above the root of its drive";
                return std::nullopt;
            }
            parts.pop_back();
            continue;
        }
        if (part.back() == '.' || part.back() == ' ') {
            refusal = "the Windows path " + w +
                      " has a part that ends in a dot or a space, which Windows drops and the "
                      "nodes keep";
            return std::nullopt;
        }
        parts.push_back(part);
    }
    std::string name = root;
    for (size_t i = 0; i < parts.size(); ++i) name += (i ? "\\" : "") + parts[i];
    if ((w.back() == '\\' || w.back() == '/') && !parts.empty()) name += "\\";
    return name;
}

// A name only Windows reads, relative to a drive's current folder ("C:x")
// or to the current drive's root ("\\x").
bool is_drive_relative(const std::string& w) {
    bool drive = w.size() >= 3 && is_letter(w[0]) && w[1] == ':' && w[2] != '\\' && w[2] != '/';
    bool rooted = w.size() >= 2 && w[0] == '\\' && w[1] != '\\';
    return drive || rooted;
}

std::optional<std::string> node_word(const std::string& w, const std::vector<PathMap>& maps,
                                     std::string& refusal) {
    if (is_drive_relative(w)) {
        refusal = "the name " + w + " is relative to a Windows drive, which the nodes have not";
        return std::nullopt;
    }
    if (settings::ascii_lower(w) == "nul") return "/dev/null";
    if (!w.empty() && w[0] == '/') return slashes(w);
    if (!is_windows_path(w)) {
        // An option that carries a name: "-create=C:\v\a.aac".
        size_t eq = w.find('=');
        if (eq == std::string::npos || eq + 1 == w.size() ||
            (w[eq + 1] != '/' && !is_windows_path(w.substr(eq + 1))))
            return w;
        std::optional<std::string> name = node_word(w.substr(eq + 1), maps, refusal);
        return name ? std::optional<std::string>(w.substr(0, eq + 1) + *name) : std::nullopt;
    }
    std::optional<std::string> name = resolved_windows_path(w, refusal);
    if (!name) return std::nullopt;
    // The longest map whose folder holds the name, whatever the maps' order.
    const std::string key = windows_key(*name);
    const PathMap* best = nullptr;
    for (const PathMap& m : maps) {
        const std::string prefix = windows_key(m.windows);
        if (key.compare(0, prefix.size(), prefix) == 0 &&
            (!best || prefix.size() > best->windows.size()))
            best = &m;
    }
    if (!best) {
        refusal = "no --path-map maps the Windows path " + w;
        return std::nullopt;
    }
    return best->posix + slashes(name->substr(best->windows.size()));
}

// Splits a command into pipe parts and words as the interpreter reads them:
// quotes group, "^" outside quotes takes the next byte as it is, "%%" is
// one "%". Only "2>&1" may redirect; any other redirection or chaining is
// refused.
bool split(const std::string& text, std::vector<std::vector<Word>>& parts, std::string& refusal) {
    parts.assign(1, {});
    std::string word;
    bool in_word = false, quoted = false;
    auto end_word = [&] {
        if (in_word) parts.back().push_back({word});
        word.clear();
        in_word = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            word += '%', in_word = true, ++i;
        } else if (c == '"') {
            quoted = !quoted, in_word = true;
        } else if (quoted) {
            word += c;
        } else if (c == '^' && i + 1 < text.size()) {
            word += text[++i], in_word = true;
        } else if (c == ' ' || c == '\t') {
            end_word();
        } else if (c == '|') {
            end_word();
            parts.emplace_back();
        } else if (text.compare(i, 4, "2>&1") == 0 && !in_word) {
            end_word();
            parts.back().push_back({"2>&1"});
            i += 3;
        } else if (c == '>' || c == '<' || c == '&') {
            refusal = "it redirects or chains commands (\"" + std::string(1, c) + "\")";
            return false;
        } else {
            word += c, in_word = true;
        }
    }
    if (quoted) {
        refusal = "a quote is not closed";
        return false;
    }
    end_word();
    for (const std::vector<Word>& part : parts)
        if (part.empty()) {
            refusal = "a pipe has an empty side";
            return false;
        }
    return true;
}

// One command (a pipe of programs) for sh, or nothing with `refusal` set.
std::optional<std::string> command(std::string text, const std::vector<PathMap>& maps,
                                   std::string& refusal, std::vector<std::string>& used) {
    if (!text.empty() && text[0] == '@') text.erase(0, 1);
    std::vector<std::vector<Word>> parts;
    if (!split(text, parts, refusal)) return std::nullopt;
    std::string sh;
    const Program* first = nullptr; // the program the pipe starts with
    for (size_t k = 0; k < parts.size(); ++k) {
        const std::vector<Word>& part = parts[k];
        const std::string name = settings::ascii_lower(part[0].text);
        const Program* program = nullptr;
        for (const Program& p : programs)
            if (name == p.windows) program = &p;
        if (!program) {
            refusal = "it runs " + part[0].text + ", which has no counterpart on the nodes";
            return std::nullopt;
        }
        if (k == 0) first = program;
        // x264 piped into its log: its own exit status is kept (sh gives
        // the pipe the last program's), so that a failed pass fails the job.
        if (k == 1 && first->posix == std::string("x264"))
            sh = "{ " + sh + "; echo $? >\"$x264_status\"; }";
        if (k > 0) sh += " | ";
        sh += program->posix;
        std::string used_name = program->posix;
        used_name.erase(std::remove(used_name.begin(), used_name.end(), '"'), used_name.end());
        if (name != "del" && name != "move") used.push_back(used_name);
        for (size_t i = 1; i < part.size(); ++i) {
            const std::string& w = part[i].text;
            if (name == "move" && settings::ascii_lower(w) == "/y") continue;
            if (w == "2>&1") {
                sh += " 2>&1";
                continue;
            }
            std::optional<std::string> mapped = node_word(w, maps, refusal);
            if (!mapped) return std::nullopt;
            sh += " " + sh_quoted(*mapped);
        }
    }
    if (parts.size() > 1 && first->posix == std::string("x264"))
        return sh + "; level=$?; read -r x264_level <\"$x264_status\"; [ \"$x264_level\" = 0 ] || "
                    "level=$x264_level";
    return sh + "; level=$?";
}

bool starts_with_word(const std::string& text, const std::string& word) {
    return settings::ascii_lower(text.substr(0, word.size())) == word;
}

} // namespace

std::optional<std::string> node_path(const std::string& name, const std::vector<PathMap>& maps,
                                     std::string& refusal) {
    return node_word(name, maps, refusal);
}

std::optional<PathMap> parse_path_map(const std::string& text) {
    size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == text.size()) return std::nullopt;
    PathMap m{text.substr(0, eq), text.substr(eq + 1)};
    if (m.posix[0] != '/' || !(is_windows_path(m.windows) || is_windows_path(m.windows + "\\")))
        return std::nullopt;
    // Each side ends at a folder boundary: "C:\\v" maps "C:\\v\\x", never
    // "C:\\vault\\x".
    std::string refusal;
    std::optional<std::string> folder = resolved_windows_path(m.windows + "\\", refusal);
    if (!folder) return std::nullopt;
    m.windows = *folder;
    if (m.posix.back() != '/') m.posix += '/';
    return m;
}

std::string sh_quoted(const std::string& word) {
    bool safe = !word.empty();
    for (char c : word)
        safe = safe && (is_letter(c) || (c >= '0' && c <= '9') ||
                        std::string("_./:,=+-@").find(c) != std::string::npos);
    if (safe) return word;
    std::string q = "'";
    for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

PosixLine posix_line(const std::string& line, const std::vector<PathMap>& maps) {
    PosixLine out;
    std::string text = line;
    if (!text.empty() && text[0] == '@') text.erase(0, 1);
    if (starts_with_word(text + " ", "rem ")) return out;
    if (starts_with_word(text, "echo.")) {
        out.sh = "echo";
        return out;
    }
    if (starts_with_word(text, "echo+")) {
        out.sh = "echo +";
        return out;
    }
    if (starts_with_word(text, "echo ")) {
        std::string shown;
        for (size_t i = 5; i < text.size(); ++i) {
            shown += text[i];
            if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
        }
        out.sh = "echo " + sh_quoted(shown);
        return out;
    }
    // The guards the generators write, each around one command.
    std::string test, rest;
    if (starts_with_word(text, "if errorlevel 1 ")) {
        test = "[ \"$level\" -ge 1 ]", rest = text.substr(16);
    } else if (starts_with_word(text, "if not errorlevel 1 ")) {
        test = "[ \"$level\" -lt 1 ]", rest = text.substr(20);
    } else if (starts_with_word(text, "if exist ")) {
        std::vector<std::vector<Word>> parts;
        std::string after = text.substr(9);
        // The file tested is the first word; the command follows it.
        size_t end = after[0] == '"' ? after.find('"', 1) : after.find(' ');
        if (end == std::string::npos || (after[0] == '"' && end + 1 >= after.size())) {
            out.refusal = "its \"if exist\" names no command";
            return out;
        }
        if (after[0] == '"') ++end;
        if (!split(after.substr(0, end), parts, out.refusal)) return out;
        std::optional<std::string> file = node_word(parts[0][0].text, maps, out.refusal);
        if (!file) return out;
        test = "[ -e " + sh_quoted(*file) + " ]", rest = after.substr(end + 1);
    } else if (starts_with_word(text, "if ")) {
        out.refusal = "its test is none of those the generators write";
        return out;
    }
    std::optional<std::string> sh =
        command(test.empty() ? text : rest, maps, out.refusal, out.programs);
    if (!sh) return out;
    out.sh = test.empty() ? *sh : "if " + test + "; then " + *sh + "; fi";
    return out;
}

} // namespace cluster
