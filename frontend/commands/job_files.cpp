#include "frontend/commands/job_files.h"

#include "frontend/commands/input_probe.h"
#include "frontend/commands/job_blocks.h"
#include "frontend/commands/text_parts.h"
#include "frontend/commands/written_files.h"

namespace commands {

namespace {

// The name without its extension, the dot kept; a name without any dot is
// taken whole and gains one, so "clip" becomes "clip." + "mp4".
std::string dotted_stem(const std::string& name) {
    return has_extension_dot(name) ? output_stem(name) : name + ".";
}

// The n-th base name of a file name: "clip.mkv", "clip (2).mkv", ...
std::string numbered(const std::string& name, int n) {
    if (n == 1) return name;
    std::string number = " (" + std::to_string(n) + ")";
    if (!has_extension_dot(name)) return name + number;
    std::string stem = output_stem(name);
    return stem.substr(0, stem.size() - 1) + number + "." + extension(name);
}

struct JobNames {
    std::string stats, log, output, wrapper; // wrapper empty: none
};

} // namespace

std::string wrapper_script(const std::string& source, const std::string& include_name) {
    std::string without_extension = source;
    if (has_extension_dot(source))
        without_extension.resize(source.size() - extension(source).size() - 1);
    return "fs=\"" + source + "\"\r\n" + "mfn=\"" + without_extension + "\"\r\n" +
           "import(\"..\\avsinc\\" + include_name + ".avs\")\r\n";
}

void NamesInUse::add(const JobList& queued, size_t from) {
    for (const JobBlock& block : job_blocks(queued, from)) {
        std::set<std::string> names;
        for (size_t i = block.first + 1; i < block.end; ++i) {
            const std::string& line = queued[i];
            for (size_t open = line.find('"'); open != std::string::npos;) {
                size_t close = line.find('"', open + 1);
                if (close == std::string::npos) break;
                names.insert(
                    os_->case_key(name_in_script(line.substr(open + 1, close - open - 1))));
                open = line.find('"', close + 1);
            }
        }
        const std::string input = os_->case_key(block.input);
        for (const std::string& name : names) inputs_by_name_[name].insert(input);
    }
}

bool NamesInUse::used_for_other(const std::string& name, const std::string& input) const {
    auto it = inputs_by_name_.find(os_->case_key(name));
    if (it == inputs_by_name_.end()) return false;
    const std::string key = os_->case_key(input);
    for (const std::string& other : it->second)
        if (other != key) return true;
    return false;
}

std::optional<std::string> derive_job_files(settings::Settings& s, const std::string& output_folder,
                                            const JobFolders& folders, platform::Os& os,
                                            const NamesInUse& used,
                                            const std::string& output_extension) {
    if (s.infile.empty()) return std::nullopt;
    const std::string source = s.infile;
    // AviSynth scripts, and every input when x264 opens them itself, are used
    // as picked.
    const bool wrapped = !settings::direct_input(s) && upper(extension(source)) != "AVS";
    const std::string source_key = os.case_key(source);
    JobNames names;
    for (int n = 1;; ++n) {
        std::string base = numbered(file_name(source), n);
        names.stats = folders.stats + base + ".stat";
        names.log = folders.logs + base + ".txt";
        names.output = output_folder + dotted_stem(base) + output_extension;
        names.wrapper = wrapped ? folders.wrappers + base + ".avs" : "";
        const std::string input = wrapped ? names.wrapper : source;
        bool taken = false;
        if (wrapped && os.file_exists(names.wrapper)) {
            std::optional<std::string> text = os.read_file(names.wrapper);
            std::optional<std::string> named = text ? wrapped_source(*text) : std::nullopt;
            taken = !named || os.case_key(*named) != source_key;
        }
        // Every name derived here, and the audio and Matroska files that the
        // job writes with its settings as they are.
        settings::Settings job = s;
        job.statsname = names.stats;
        job.logname = names.log;
        job.outfile = names.output;
        std::vector<JobFile> written = files_written(job);
        for (const std::string& name : {names.stats, names.log, names.output, names.wrapper})
            written.push_back({"", name});
        for (const JobFile& file : written)
            taken = taken || (!file.path.empty() && (os.case_key(file.path) == source_key ||
                                                     used.used_for_other(file.path, input)));
        if (!taken) break;
    }
    if (wrapped && !os.write_file(names.wrapper, wrapper_script(source, s.avsinc)))
        return "Cannot write " + names.wrapper + ": " + os.last_error();
    s.statsname = names.stats;
    s.logname = names.log;
    s.outfile = names.output;
    if (wrapped) s.infile = names.wrapper;
    return std::nullopt;
}

std::optional<std::string> derive_job_files(settings::Settings& s, const std::string& output_folder,
                                            const JobFolders& folders, platform::Os& os) {
    return derive_job_files(s, output_folder, folders, os, NamesInUse(os));
}

} // namespace commands
