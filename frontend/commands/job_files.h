// File names derived from a picked input, and the AviSynth wrapper for
// inputs that are not AviSynth scripts.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <unordered_map>

#include "frontend/commands/job_list.h"
#include "frontend/settings/settings.h"
#include "platform/os.h"

namespace commands {

// Where a job's wrapper scripts, stats files and logs go; each ends in its
// separator.
struct JobFolders {
    std::string wrappers, stats, logs;
};

// The three lines of the wrapper script for `source`, each ended by CR LF.
std::string wrapper_script(const std::string& source, const std::string& include_name);

// The file names the queued jobs use (every name a block's lines put in
// double quotes), each with the inputs of the jobs that use it. Names are
// compared as the file system compares them (Os::case_key).
class NamesInUse {
  public:
    explicit NamesInUse(platform::Os& os) : os_(&os) {}
    NamesInUse(const JobList& queued, platform::Os& os) : os_(&os) { add(queued, 0); }
    // The blocks that begin at line `from` or later.
    void add(const JobList& queued, size_t from);
    // Whether a job of an input other than `input` uses the name.
    bool used_for_other(const std::string& name, const std::string& input) const;

  private:
    platform::Os* os_;
    std::unordered_map<std::string, std::set<std::string>> inputs_by_name_;
};

// Fills `statsname`, `logname` and `outfile` from `infile` (output into
// `output_folder`, which ends in a separator, with `output_extension`: "mkv"
// in place of "mp4" for an x264 that writes no MP4) and, for a non-AviSynth input
// that x264 does not open itself, writes a wrapper into the wrappers' folder
// and makes it the input.
//
// The names follow from the input's file name N. When one of them is the
// source itself (x264 opening "movie.mp4" would write "movie.mp4"; mkvmerge
// would write "Movie.mkv" over a source "Movie.MKV"), or is in use for
// another source (an existing wrapper names another path, or a queued job
// names it for another input), the next free base name is taken instead:
// "clip (2).mkv", "clip (3).mkv", ..., and every name follows from that. The
// same source picked again keeps its names.
//
// Nothing when it worked; when the wrapper cannot be written, the fields stay
// as they were and the text tells why: "Cannot write FILE: REASON".
std::optional<std::string> derive_job_files(settings::Settings& s, const std::string& output_folder,
                                            const JobFolders& folders, platform::Os& os,
                                            const NamesInUse& used,
                                            const std::string& output_extension = "mp4");
// The same with no job queued.
std::optional<std::string> derive_job_files(settings::Settings& s, const std::string& output_folder,
                                            const JobFolders& folders, platform::Os& os);

} // namespace commands
