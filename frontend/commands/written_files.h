// The files a job writes and the files it reads, from its fields, and the
// check that it writes over none of its inputs and never writes one file for
// two purposes. Names are compared by the file they point to (Os::file_key),
// so "Movie.MKV", "movie.mkv." and "x\\..\\movie.mkv" are one file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/settings/settings.h"
#include "platform/os.h"

namespace commands {

// A file and the field the user knows it by.
struct JobFile {
    std::string field; // settings-file key: "outfile", "statsname", "logname", "infile"
    std::string path;
};

// What the job's lines write: the output (for "Audio Only" only its audio),
// the stats file of a multi-pass mode, the log, the audio file and the
// Matroska file when audio is muxed by mkvmerge. Files named after the
// output are told as "outfile".
std::vector<JobFile> files_written(const settings::Settings& s);

// What it reads: the input, and the source that a wrapper names.
std::vector<JobFile> files_read(const settings::Settings& s, platform::Os& os);

// Why the job's files clash, or nothing: the field at fault and what is
// wrong with it,
//   outfile: names the job's input, which it would overwrite
//   logname: names the same file as "statsname"
struct FileClash {
    std::string field, reason;
};
std::optional<FileClash> file_clash(const settings::Settings& s, platform::Os& os);

} // namespace commands
