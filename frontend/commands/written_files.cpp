#include "frontend/commands/written_files.h"

#include "frontend/commands/audio_mux.h"
#include "frontend/commands/input_probe.h"
#include "frontend/settings/choices.h"
#include "frontend/settings/encode_modes.h"

namespace commands {

namespace {

using settings::Settings;

bool uses_stats(const settings::ModeSpec& mode) {
    if (mode.first_pass >= 0) return true; // every composed mode has a stats pass
    for (settings::Piece piece : mode.pieces)
        if (piece == settings::Piece::stats) return true;
    return false;
}

} // namespace

std::vector<JobFile> files_written(const Settings& s) {
    std::vector<JobFile> files;
    const bool audio_only = s.muxer == settings::mux_audio_only;
    const std::string audio = audio_file(s.outfile, s.ae);
    if (audio_only) {
        if (!audio.empty()) files.push_back({"outfile", audio});
        return files;
    }
    const settings::ModeSpec& mode = settings::mode_spec(s.mode);
    files.push_back({"outfile", s.outfile});
    if (uses_stats(mode)) files.push_back({"statsname", s.statsname});
    if (s.crelog) files.push_back({"logname", s.logname});
    if (s.aud && !audio.empty()) {
        files.push_back({"outfile", audio});
        if (s.muxer == settings::mux_mkvmerge)
            files.push_back({"outfile", matroska_file(s.outfile)});
    }
    return files;
}

std::vector<JobFile> files_read(const Settings& s, platform::Os& os) {
    std::vector<JobFile> files = {{"infile", s.infile}};
    std::string source = source_of(s.infile, os);
    if (source != s.infile) files.push_back({"infile", source});
    return files;
}

std::optional<FileClash> file_clash(const Settings& s, platform::Os& os) {
    std::vector<JobFile> written = files_written(s);
    std::vector<std::string> read_keys;
    for (const JobFile& f : files_read(s, os)) read_keys.push_back(os.file_key(f.path));
    std::vector<std::string> written_keys;
    for (const JobFile& f : written) {
        std::string key = os.file_key(f.path);
        if (key.empty()) {
            written_keys.push_back(key);
            continue;
        }
        for (const std::string& input : read_keys)
            if (key == input)
                return FileClash{f.field, "names the job's input, which it would overwrite"};
        for (size_t i = 0; i < written_keys.size(); ++i)
            if (key == written_keys[i] && f.field != written[i].field)
                return FileClash{f.field, "names the same file as \"" + written[i].field + "\""};
        written_keys.push_back(key);
    }
    return std::nullopt;
}

} // namespace commands
