#include "frontend/commands/audio_mux.h"

#include <vector>

#include "frontend/commands/text_parts.h"
#include "frontend/settings/choices.h"
#include "frontend/settings/text_number.h"

namespace commands {

using settings::Settings;

namespace {

// The program that decodes the input's audio onto its standard output: bepipe
// on a one-line AviSynth script that imports the input, or, when x264 opens
// the inputs itself, ffmpeg on the source as a two-channel WAV stream.
std::string audio_source(const Settings& s) {
    if (settings::direct_input(s))
        return "@ffmpeg.exe -v error -i \"" + script_name(s.infile) + "\" -vn -ac 2 -f wav -";
    return "@bepipe.exe --script \"import(^" + script_name(s.infile) + "^)\"";
}

// Mux lines by `muxer` index, with {A} the audio name, {O} the output file
// and {M} the Matroska name. "No mux" and "Audio Only" have none.
const std::vector<std::vector<const char*>> mux_lines = {
    {"@mp4box.exe -add {A} \"{O}\"", "@if not errorlevel 1 del {A}"},
    {"@mp4creator.exe -create={A} \"{O}\"", "@if not errorlevel 1 del {A}"},
    {"@mkvmerge -o {M} \"{O}\" {A}", "@if exist {M} del {A}", "@if exist {M} del \"{O}\""},
    {},
    {},
};

// An output that is a Matroska file already: mkvmerge writes a new file
// beside it, which then takes the output's place, so the job's result is
// never deleted.
const std::vector<const char*> mkv_over_mkv_lines = {
    "@mkvmerge -o {M} \"{O}\" {A}", "@if exist {M} del {A}", "@if exist {M} move /y {M} \"{O}\""};

// One pass over the template, so a name holding "{A}" is never filled again.
std::string fill(const char* line, const std::string& audio, const std::string& out,
                 const std::string& matroska) {
    std::string text;
    for (const char* p = line; *p; ++p) {
        if (p[0] == '{' && p[1] && p[2] == '}') {
            text += p[1] == 'A' ? audio : p[1] == 'O' ? out : matroska;
            p += 2;
        } else {
            text += *p;
        }
    }
    return text;
}

bool is_matroska(const std::string& path) {
    return upper(extension(path)) == "MKV";
}

} // namespace

std::string audio_file(const std::string& outfile, int encoder) {
    const settings::AudioEncoder* e = settings::entry(settings::audio_encoders, encoder);
    return e ? output_stem(outfile) + "audio." + e->extension : "";
}

std::string matroska_file(const std::string& outfile) {
    return output_stem(outfile) + (is_matroska(outfile) ? "muxed.mkv" : "mkv");
}

void audio_command(const Settings& s, int encoder, JobList& jobs) {
    const settings::AudioEncoder* found = settings::entry(settings::audio_encoders, encoder);
    if (!found) return;
    const settings::AudioEncoder& e = *found;
    std::string stem = script_name(output_stem(s.outfile));
    std::string value =
        e.bits_per_second
            ? std::to_string(static_cast<int64_t>(settings::integer_value(s.aub)) * 1000)
            : s.aub;
    jobs.push_back(audio_source(s) + e.program + "\"" + stem + "audio." + e.rate + value);
    mux_command(s, "\"" + stem + "audio." + e.extension + "\"", jobs);
}

void mux_command(const Settings& s, const std::string& audio_name, JobList& jobs) {
    if (s.muxer < 0 || s.muxer >= static_cast<int>(mux_lines.size())) return;
    std::string out = script_name(s.outfile);
    std::string matroska = "\"" + script_name(matroska_file(s.outfile)) + "\"";
    const auto& lines = s.muxer == settings::mux_mkvmerge && is_matroska(s.outfile)
                            ? mkv_over_mkv_lines
                            : mux_lines[s.muxer];
    for (const char* line : lines) jobs.push_back(fill(line, audio_name, out, matroska));
}

} // namespace commands
