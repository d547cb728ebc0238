// The one record of every encoding setting, and the schema table that gives
// each field its key, kind, values and limits. Defaults, reading, writing and
// clamping are all driven by the table.
#pragma once

#include <string>
#include <vector>

namespace settings {

struct Settings {
    // Integer fields: flags (0/1), indexes into a choice list (-1 = none
    // chosen) and slider positions.
    int upstat, a1, a2, a3, a4, a5, a6, cab, mxref, tre, fil, bref, bme, ba, bwb, mode, dm, m, ms,
        aud, ae, apin, muxer, deb_a, deb_b, fastpsk, dctd, crelog, sizemode, aq;
    // Text fields, kept exactly as typed.
    std::string cqm, aub, fa, mb, bias, fb, value, range, ref, arx, ary, thr, nr, kfb, bfr, vbr,
        minqp, maxqp, qps, vbs, vmb, vib, bv, sct, mingop, maxgop, auto1pcrf, avsinc, maxsize,
        minsize, dzinter, dzintra, aq1, aq2;
    // The tools in use, stored only when they differ from their defaults:
    // the dialect of the x264 lines ("classic" or "current"), how inputs
    // reach x264 ("avisynth": through wrapper scripts; "direct": x264 opens
    // them itself), the x264 build the start-up question was last asked
    // about (empty: never; "none": the user was told that no x264.exe was
    // found), and what the last build read states it reads and writes
    // (commands::abilities_text).
    std::string x264cli, x264input, x264asked, x264help;
    // How many scripts "Start" runs at once: 1 to the number of processors,
    // stored only when it is not 1.
    int jobsatonce;
    // Live only while the program runs.
    int cme, biasbar;
    std::string statsname, logname, infile, outfile, cfgname;

    // Every field at its value when the window has just been built.
    Settings();
};

enum class Kind { flag, index, position, text };

struct Limits {
    bool present;
    double low, high;
    bool floating; // parsed as a decimal number rather than an integer
};

struct FieldSpec {
    const char* key;
    Kind kind;
    int Settings::*number;       // set for flag, index and position fields
    std::string Settings::*text; // set for text fields
    const char* at_creation;     // also the control's initial text
    const char* when_missing;    // value a load gives when the key is absent
    Limits limits;
    std::vector<std::string> choices; // names of an index field, position = stored value;
                                      // the allowed values of a text field
    bool persisted;
    bool always_written; // false: written only when it differs from its missing-key value
    bool toolchain; // describes the machine and its tools, not an encode: "L" and "Load Default"
                    // keep it
};

// All 76 fields: the 64 persisted ones that every settings file holds, in the
// order they are saved; the five toolchain fields, saved only when they are
// not at their defaults; then the seven that live only while the program runs.
const std::vector<FieldSpec>& schema();
constexpr int persisted_count = 64;

// Settings-file keys match without regard to the letter case of A to Z.
bool same_key(const std::string& a, const std::string& b);
// The field with this key (letter case ignored), or nullptr.
const FieldSpec* find_field(const std::string& key);
// The entry that describes this member.
const FieldSpec& spec_of(int Settings::*member);
const FieldSpec& spec_of(std::string Settings::*member);

// The field's current value as it is written to a settings file.
std::string field_text(const Settings& s, const FieldSpec& f);
// Sets the field from a text: integers by their integer value (a slider's
// position clamped into its range, as the slider would hold it), texts as
// given.
void set_field(Settings& s, const FieldSpec& f, const std::string& text);

// Clamps a text field in place against its limits: above the upper bound the
// text becomes that bound, below the lower bound it becomes that bound, and
// anything in range stays exactly as typed. Returns whether the text changed.
bool clamp_text(std::string& text, const Limits& limits);

// Whether the x264 lines are written for current x264 builds.
inline bool current_x264(const Settings& s) {
    return s.x264cli == "current";
}
// Whether x264 opens the inputs itself rather than through AviSynth wrappers.
inline bool direct_input(const Settings& s) {
    return s.x264input == "direct";
}

// Whether a text is one of a text field's allowed values (any text when the
// field has no list of them, and for fields that are not texts).
bool is_choice(const FieldSpec& f, const std::string& text);

} // namespace settings
