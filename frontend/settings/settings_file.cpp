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

// The order in which a load reads the keys; avsinc comes last and is
// handled on its own.
const char* const keys_in_load_order[] = {
    "a1",        "a2",       "a3",      "a4",        "a5",    "a6",    "cab",   "tre",
    "fil",       "bref",     "bme",     "ba",        "bwb",   "mode",  "dm",    "m",
    "ms",        "aud",      "ae",      "apin",      "muxer", "deb-a", "deb-b", "dctd",
    "fastpsk",   "upstat",   "crelog",  "sizemode",  "aq",    "cqm",   "aub",   "mb",
    "bias",      "fa",       "fb",      "value",     "range", "ref",   "arx",   "ary",
    "thr",       "nr",       "kfb",     "bfr",       "vbr",   "minqp", "maxqp", "qps",
    "sct",       "mingop",   "maxgop",  "auto1pcrf", "vbs",   "vmb",   "vib",   "bv",
    "maxsize",   "minsize",  "dzinter", "dzintra",   "aq1",   "aq2",   "mxref", "x264cli",
    "x264input", "x264asked"};

template <size_t N>
void read_keys(Settings& s, const IniReader& ini, const char* const (&keys)[N],
               const LoadContext& ctx) {
    for (const char* key : keys) {
        const FieldSpec& f = *find_field(key);
        if (f.toolchain && ctx.keep_toolchain) continue;
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

std::string decoded(std::string bytes, platform::Os& os) {
    if (has_utf8_mark(bytes)) return os.utf8_to_ansi(std::string_view(bytes).substr(3));
    return bytes;
}

void apply(Settings& s, const IniReader& ini, const LoadContext& ctx) {
    read_keys(s, ini, keys_in_load_order, ctx);
    read_include_choice(s, ini, ctx.includes);
    correct_after_load(s);
}

// A file that holds not one key (empty, damaged, foreign) counts as absent,
// and the caller may have it set aside.
LoadResult load(Settings& s, const std::string& path, const LoadContext& ctx, bool may_fall_back) {
    if (std::optional<std::string> bytes = ctx.os.read_file(path)) {
        std::string text = decoded(std::move(*bytes), ctx.os);
        IniReader ini(text);
        if (ini.recognised() > 0) {
            apply(s, ini, ctx);
            return LoadResult::file;
        }
        if (ctx.set_aside_as) *ctx.set_aside_as = ctx.os.set_aside(path).value_or(path);
    }
    if (!may_fall_back || !ctx.defaults_when_absent) return LoadResult::unchanged;
    return load_builtin_defaults(s, ctx);
}

} // namespace

bool holds_settings(std::string_view bytes) {
    // The keys are plain ASCII: a UTF-8 file holds them as they stand.
    if (has_utf8_mark(bytes)) bytes.remove_prefix(3);
    return IniReader(bytes).recognised() > 0;
}

void load_settings_text(Settings& s, std::string bytes, const LoadContext& ctx) {
    std::string text = decoded(std::move(bytes), ctx.os);
    apply(s, IniReader(text), ctx);
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

bool save_settings(const Settings& s, const std::string& path, platform::Os& os) {
    return os.write_file(path, settings_file_text(s));
}

LoadResult load_settings(Settings& s, const std::string& path, const LoadContext& ctx) {
    return load(s, path, ctx, true);
}

LoadResult load_builtin_defaults(Settings& s, const LoadContext& ctx) {
    const std::string& path = ctx.defaults_file;
    // Written whole, so no earlier default.ini leaves anything behind.
    ctx.os.write_file(path, builtin_default_text);
    // The inner load never falls back again: with no default.ini either,
    // the settings stay as they are.
    LoadContext inner = ctx;
    inner.set_aside_as = nullptr;
    LoadResult result = load(s, path, inner, false);
    ctx.os.delete_file(path);
    return result == LoadResult::file ? LoadResult::builtin_defaults : result;
}

} // namespace settings
