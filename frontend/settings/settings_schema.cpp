#include "frontend/settings/settings.h"

#include <algorithm>
#include <cstdlib>

#include "frontend/settings/ascii_case.h"
#include "frontend/settings/choices.h"
#include "frontend/settings/encode_modes.h"
#include "frontend/settings/text_number.h"

namespace settings {

namespace {

constexpr Limits none{false, 0, 0, false};
constexpr Limits range(double low, double high) {
    return {true, low, high, false};
}

using S = Settings;

FieldSpec num(const char* key, Kind kind, int S::*member, const char* created, const char* missing,
              Limits limits = none) {
    return {key, kind, member, nullptr, created, missing, limits, {}, true, true, false};
}
FieldSpec choice(const char* key, int S::*member, const char* created, const char* missing,
                 std::vector<std::string> names) {
    return {key,  Kind::index,      member, nullptr, created, missing,
            none, std::move(names), true,   true,    false};
}
std::vector<std::string> mode_names() {
    std::vector<std::string> names;
    for (int m = 0; m < mode_count; ++m) names.push_back(mode_spec(m).name);
    return names;
}
FieldSpec txt(const char* key, std::string S::*member, const char* created, const char* missing,
              Limits limits = none) {
    return {key, Kind::text, nullptr, member, created, missing, limits, {}, true, true, false};
}
// A setting of the tools in use, saved only when it is not its default: a
// text with a fixed set of values (default the first), or any text (default
// empty).
template <int N>
FieldSpec tool_choice(const char* key, std::string S::*member, const Choice (&list)[N]) {
    return {key,  Kind::text,     nullptr, member, list[0].name, list[0].name,
            none, names_of(list), true,    false,  true};
}
FieldSpec tool_text(const char* key, std::string S::*member) {
    return {key, Kind::text, nullptr, member, "", "", none, {}, true, false, true};
}
// A number of the machine, saved only when it is not `standard`; a stored
// value outside the limits is taken as the nearest of them.
FieldSpec tool_number(const char* key, int S::*member, const char* standard, Limits limits) {
    return {key, Kind::position, member, nullptr, standard, standard, limits,
            {},  true,           false,  true};
}
template <typename F> F unstored(F f) {
    f.persisted = false;
    f.when_missing = f.at_creation;
    return f;
}

std::vector<FieldSpec> build_schema() {
    const Kind flag = Kind::flag, position = Kind::position;
    return {
        // key, kind, member, at creation, when the key is missing, limits
        num("upstat", flag, &S::upstat, "1", "1"),
        num("a1", flag, &S::a1, "1", "0"),
        num("a2", flag, &S::a2, "1", "0"),
        num("a3", flag, &S::a3, "1", "0"),
        num("a4", flag, &S::a4, "0", "0"),
        num("a5", flag, &S::a5, "1", "0"),
        num("a6", flag, &S::a6, "1", "0"),
        num("cab", flag, &S::cab, "1", "0"),
        num("mxref", flag, &S::mxref, "0", "0"),
        choice("tre", &S::tre, "-1", "0", names_of(trellis_choices)),
        num("fil", flag, &S::fil, "1", "0"),
        num("bref", flag, &S::bref, "0", "0"),
        num("bme", flag, &S::bme, "0", "0"),
        num("ba", flag, &S::ba, "1", "0"),
        num("bwb", flag, &S::bwb, "1", "0"),
        choice("mode", &S::mode, "1", "0", mode_names()),
        choice("dm", &S::dm, "2", "0", names_of(direct_modes)),
        choice("m", &S::m, "4", "0", names_of(partition_decisions)),
        choice("ms", &S::ms, "1", "0", names_of(me_methods)),
        num("aud", flag, &S::aud, "0", "0"),
        choice("ae", &S::ae, "1", "0", names_of(audio_encoders)),
        num("apin", flag, &S::apin, "0", "0"),
        choice("muxer", &S::muxer, "0", "0", names_of(muxers)),
        num("deb-a", position, &S::deb_a, "6", "6", range(0, 12)),
        num("deb-b", position, &S::deb_b, "6", "6", range(0, 12)),
        num("fastpsk", flag, &S::fastpsk, "0", "1"),
        num("dctd", flag, &S::dctd, "0", "1"),
        num("crelog", flag, &S::crelog, "0", "1"),
        num("sizemode", flag, &S::sizemode, "0", "0"),
        num("aq", flag, &S::aq, "0", "0"),
        txt("cqm", &S::cqm, "flat", "flat"),
        txt("aub", &S::aub, "64", "64000"),
        txt("fa", &S::fa, "0", "0"),
        txt("mb", &S::mb, "2", "0", range(0, 16)),
        txt("bias", &S::bias, "0", "0"),
        txt("fb", &S::fb, "0", "0"),
        txt("value", &S::value, "26", "0"), // limits depend on the mode
        txt("range", &S::range, "16", "0", range(0, 64)),
        txt("ref", &S::ref, "1", "0", range(0, 16)),
        txt("arx", &S::arx, "1", "0"),
        txt("ary", &S::ary, "1", "0"),
        txt("thr", &S::thr, "1", "0", range(0, 4)),
        txt("nr", &S::nr, "0", "0"),
        txt("kfb", &S::kfb, "40", "0", range(0, 900)),
        txt("bfr", &S::bfr, "30", "0", range(0, 900)),
        txt("vbr", &S::vbr, "60", "0", range(0, 100)),
        txt("minqp", &S::minqp, "10", "0", range(1, 51)),
        txt("maxqp", &S::maxqp, "51", "0", range(1, 51)),
        txt("qps", &S::qps, "4", "0", range(1, 50)),
        txt("vbs", &S::vbs, "0", "0", range(0, 240000)),
        txt("vmb", &S::vmb, "0", "0", range(0, 8000)),
        txt("vib", &S::vib, "0.9", "0.9", {true, 0, 1, true}),
        txt("bv", &S::bv, "100", "100", range(10, 1000)),
        txt("sct", &S::sct, "40", "0", range(0, 100)),
        txt("mingop", &S::mingop, "25", "0"),
        txt("maxgop", &S::maxgop, "250", "0"),
        txt("auto1pcrf", &S::auto1pcrf, "16", "16"),
        txt("avsinc", &S::avsinc, "", ""),
        txt("maxsize", &S::maxsize, "110", "110"),
        txt("minsize", &S::minsize, "90", "90"),
        txt("dzinter", &S::dzinter, "21", "21"),
        txt("dzintra", &S::dzintra, "11", "11"),
        txt("aq1", &S::aq1, "0.0", "0"),
        txt("aq2", &S::aq2, "15", "15"),
        tool_choice("x264cli", &S::x264cli, x264_dialects),
        tool_choice("x264input", &S::x264input, x264_inputs),
        tool_text("x264asked", &S::x264asked),
        tool_text("x264help", &S::x264help),
        tool_number("jobsatonce", &S::jobsatonce, "1", range(1, 64)),
        // Not stored in settings files.
        unstored(num("cme", flag, &S::cme, "1", "1")),
        unstored(num("biasbar", position, &S::biasbar, "100", "100", range(0, 200))),
        unstored(txt("statsname", &S::statsname, "", "")),
        unstored(txt("logname", &S::logname, "", "")),
        unstored(txt("infile", &S::infile, "", "")),
        unstored(txt("outfile", &S::outfile, "", "")),
        unstored(txt("cfgname", &S::cfgname, "", "")),
    };
}

} // namespace

const std::vector<FieldSpec>& schema() {
    static const std::vector<FieldSpec> table = build_schema();
    return table;
}

Settings::Settings() {
    for (const FieldSpec& f : schema()) set_field(*this, f, f.at_creation);
}

bool is_choice(const FieldSpec& f, const std::string& text) {
    if (f.choices.empty() || f.kind != Kind::text) return true;
    for (const std::string& c : f.choices)
        if (text == c) return true;
    return false;
}

bool same_key(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

const FieldSpec* find_field(const std::string& key) {
    for (const FieldSpec& f : schema())
        if (same_key(f.key, key)) return &f;
    return nullptr;
}

const FieldSpec& spec_of(int Settings::*member) {
    for (const FieldSpec& f : schema())
        if (f.number == member) return f;
    std::abort(); // every member has an entry
}

const FieldSpec& spec_of(std::string Settings::*member) {
    for (const FieldSpec& f : schema())
        if (f.text == member) return f;
    std::abort();
}

std::string field_text(const Settings& s, const FieldSpec& f) {
    return f.number ? decimal(s.*f.number) : s.*f.text;
}

void set_field(Settings& s, const FieldSpec& f, const std::string& text) {
    if (!f.number) {
        s.*f.text = text;
        return;
    }
    int n = integer_value(text);
    // A slider holds only positions within its range.
    if (f.kind == Kind::position && f.limits.present)
        n = std::clamp(n, static_cast<int>(f.limits.low), static_cast<int>(f.limits.high));
    s.*f.number = n;
}

bool clamp_text(std::string& text, const Limits& limits) {
    if (!limits.present) return false;
    double v = limits.floating ? decimal_value(text) : integer_value(text);
    std::string bound;
    if (v > limits.high)
        bound = decimal(static_cast<int>(limits.high));
    else if (v < limits.low)
        bound = decimal(static_cast<int>(limits.low));
    else
        return false;
    text = bound;
    return true;
}

} // namespace settings
