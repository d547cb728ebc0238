// The one reader of the job list's blocks. Every job the window adds is a
// block of lines from a line "@echo." to a line "@echo+"; lines outside
// every block (a shutdown line) belong to no job. A block whose "@echo+" was
// edited away runs up to the next "@echo." or the end of the list. What a
// block runs and writes is read from its lines as they stand, so an edited
// line is read as edited.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/commands/job_list.h"

namespace commands {

// The marker lines, and whether a line is one (its first six characters).
extern const char* const block_start; // "@echo."
extern const char* const block_end;   // "@echo+"
bool starts_block(const std::string& line);
bool ends_block(const std::string& line);

// What one script line does.
enum class LineKind {
    disabled,  // "@rem ...": a remark, runs nothing
    marker,    // "@echo." or "@echo+"
    echo,      // the other "@echo" lines
    x264,      // a pass: "@x264.exe ..." or the guarded "@if errorlevel 1 @x264.exe ..."
    audio,     // the audio line: bepipe or ffmpeg piped into an AAC encoder
    mux,       // mkvmerge, mp4box, mp4creator, and the move of a muxed file
    size_test, // "@sizegate.exe"
    other,     // anything else that runs (a delete, a shutdown)
};
LineKind line_kind(const std::string& line);
bool runs_x264(const std::string& line);
// The x264 call of a line that runs x264, from "x264.exe" on ("@" and the
// guard "@if errorlevel 1 " taken away); nothing for any other line.
std::optional<std::string> x264_call(const std::string& line);

// The file a line writes, as the program gets it ("%%" read as "%"): an x264
// line's "-o" file (none for "-o nul"), an audio line's audio file, a mux
// line's output; nothing for the others.
std::optional<std::string> written_file(const std::string& line);

// The stats file an x264 line names with "--stats", and whether the line is
// a first pass ("-p 1"), which writes it: x264 writes "NAME.temp" while the
// pass runs and gives it the name NAME only when the pass has ended.
std::optional<std::string> stats_file(const std::string& line);
bool is_first_pass(const std::string& line);
// The log a line pipes into runlog.exe; nothing when it pipes into none.
std::optional<std::string> log_file(const std::string& line);

struct JobBlock {
    size_t first = 0; // its "@echo." line
    size_t end = 0;   // one past its last line: past its "@echo+" when it has one
    bool ended = false;
    // A line of it runs a program (x264, an audio encoder, a muxer, any
    // other); a block of disabled lines, echoes and markers alone is no job.
    bool live = false;
    std::string input;      // the file of its "@echo Input:" line
    std::string final_file; // what its last writing line writes
    std::string log_file;   // what its first x264 line pipes into runlog; empty when none
};

// Every block of the list that begins at line `from` or later, in order.
std::vector<JobBlock> job_blocks(const JobList& lines, size_t from = 0);
// The live ones: the jobs a script of the list runs.
std::vector<JobBlock> live_jobs(const JobList& lines);
// Every file lines `first` to `end` (one past the last) write as they run:
// each line's written_file, the stats files of the passes (which x264 also
// writes as NAME.temp and, in current builds, NAME.mbtree) and the logs.
std::vector<std::string> files_written(const JobList& lines, size_t first, size_t end);
// The block that holds line `at`, or nothing when the line stands outside
// every block.
std::optional<JobBlock> block_around(const JobList& lines, size_t at);

} // namespace commands
