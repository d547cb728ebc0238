#include "frontend/settings/settings_file.h"

#include "frontend/settings/corrections.h"
#include "frontend/settings/ini_reader.h"

namespace settings {

const std::string_view builtin_default_text =
    "a1 = 1\r\na2 = 1\r\na3 = 1\r\na4 = 0\r\na5 = 1\r\na6 = 1\r\ncab = 1\r\nmxref = 0\r\n"
    "tre = 0\r\nfil = 1\r\nbref = 0\r\nbme = 0\r\nba = 1\r\nbwb = 1\r\nmode = 1\r\ndm = 0\r\n"
    "m = 4\r\nms = 1\r\naud = 0\r\nae = 1\r\napin = 0\r\naub = 64\r\nfa = 0\r\nmb = 2\r\n"
    "bias = 0\r\nfb = 0\r\nvalue = 26\r\nrange = 16\r\nref = 1\r\narx = 1\r\nary = 1\r\n"
    "thr = 1\r\nnr = 0\r\nkfb = 40\r\nbfr = 30\r\nvbr = 60\r\nminqp = 10\r\nmaxqp = 51\r\n"
    "qps = 4\r\nsct = 40\r\nmingop = 25\r\nmaxgop = 250\r\nmuxer = 0";

namespace {

// Every stored field but `avsinc`, which only chooses an item of the include
// list. Each field is set on its own, so the order of the reads is the
// schema's.
void read_fields(Settings& s, const IniReader& ini, bool keep_toolchain) {
    for (const FieldSpec& f : schema()) {
        if (!f.persisted || f.text == &Settings::avsinc) continue;
        if (f.toolchain && keep_toolchain) continue;
        std::optional<std::string> v = ini.value(f.key, f.kind == Kind::text);
        // A text outside its field's values counts as missing.
        set_field(s, f, v && (f.kind != Kind::text || is_choice(f, *v)) ? *v : f.when_missing);
    }
}

// An avsinc name only selects an item of the include list; the last of
// several equal items wins, and no match (or none stored) keeps the list's
// choice, or takes its first item when it has none.
void read_include_choice(Settings& s, const IniReader& ini, const std::vector<std::string>& items) {
    std::string stored = ini.value("avsinc", true).value_or("");
    for (const std::string& item : items)
        if (!stored.empty() && item == stored) s.avsinc = item;
    choose_include(s, items);
}

} // namespace

bool holds_settings(std::string_view bytes) {
    // The keys are plain ASCII: a UTF-8 file holds them as they stand.
    if (has_utf8_mark(bytes)) bytes.remove_prefix(3);
    return IniReader(bytes).recognised() > 0;
}

bool is_utf8_file(std::string_view bytes) {
    return has_utf8_mark(bytes);
}

void apply_settings_text(Settings& s, std::string_view text,
                         const std::vector<std::string>& includes, bool keep_toolchain) {
    IniReader ini(text);
    read_fields(s, ini, keep_toolchain);
    read_include_choice(s, ini, includes);
    correct_after_load(s);
}

std::string settings_file_text(const Settings& s) {
    std::string text;
    for (const FieldSpec& f : schema()) {
        if (!f.persisted || (!f.always_written && field_text(s, f) == f.when_missing)) continue;
        text += f.key;
        text += " = ";
        text += field_text(s, f);
        text += "\r\n";
    }
    return text;
}

} // namespace settings
