// Whether the job the fields describe may be added. A job is refused when a
// field would put a control character or a command of its own into its lines
// (see line_safety.h), or when it asks for a target size and no bitrate can
// be computed for its input: a job that ignored its size would look like
// success.
#pragma once

#include <optional>
#include <string>

#include "frontend/commands/input_probe.h"
#include "frontend/commands/job_list.h"
#include "frontend/commands/x264_history.h"
#include "frontend/settings/settings.h"

namespace commands {

struct Refusal {
    std::string field;     // the key of the field at fault; empty for a target size
    std::string input;     // the input as the user picked it (a wrapper's source)
    std::string reason;    // a name's or a target size's fault; empty for an unsafe character
    bool no_files = false; // the job has no input or no output file
};

// The x264 the job's lines will run, as far as the check needs it: its
// build, for the messages, and what it reads.
struct X264InUse {
    int build;
    X264Abilities abilities;
};

// Why x264 cannot read the input when it opens its inputs itself (a build
// with neither lavf nor ffms reads only a few kinds of file), or nothing:
//   is not a file x264.exe (build 3095) can read: it reads only .y4m files and raw .yuv files
//   named with their size (such as clip_640x480.yuv)
std::optional<std::string> unreadable_input(const settings::Settings& s, const std::string& input,
                                            const X264InUse* x264);

// Why a file name cannot reach the programs as picked, or nothing: the
// dialogs give "?" for characters that the ANSI code page cannot hold, the
// batch files are read in the console's code page, a path longer than the
// system's programs open fails when the script runs, and a name such as
// "CON", "nul.txt" or "com1.y4m" is a device, not a file (a script writing
// to it hangs or loses the output).
std::optional<std::string> name_problem(const std::string& name, platform::Os& os);

// The job the fields describe, made as "Add" makes it: checked, its input
// measured once for a target size, its block made (job_block.h) and its
// lines checked. A job is refused for an unsafe field, a name that cannot
// reach the programs, a file it writes that is its input or another of its
// files (written_files.h), a target size that cannot be met, or a piped
// line whose "%" the command interpreter would expand again (line_safety.h).
// A job without input or output is refused too (its block would hold only
// its two marker lines), and so is an input that the x264 in use cannot
// read, when one is known. The settings are only read.
struct MadeJob {
    JobList lines; // empty when refused
    std::optional<Refusal> refusal;
};
MadeJob make_job(const settings::Settings& s, InputProbe& probe, platform::Os& os,
                 const X264InUse* x264 = nullptr);

// Why make_job would refuse the job; nothing when it can be added.
std::optional<Refusal> job_refusal(const settings::Settings& s, InputProbe& probe, platform::Os& os,
                                   const X264InUse* x264 = nullptr);

// The lines of a job: a piped line whose "%" would be expanded again
// refuses it, naming the field the name comes from.
std::optional<Refusal> line_refusal(const settings::Settings& s, const JobList& lines);

// One sentence for the user, without a final full stop:
//   Choose an input file and an output file first
//   The job was not added: "nr" holds a character that cannot stand in a batch line
//   The job was not added: "outfile" holds characters that the console's code page cannot hold
//   The job was not added: "outfile" names the job's input, which it would overwrite
//   The job for "D:\v\clip.mkv" was not added: its target size needs its length, and it cannot be
//   measured
std::string refusal_text(const Refusal& r);
// The same for quorbel-cli's one line on standard error: lower case, the
// field and the input unquoted,
//   the job was not added: nr holds a character that cannot stand in a batch line
//   the job for D:\v\clip.mkv was not added: its target size needs its length, and it
//   cannot be measured
std::string command_line_refusal_text(const Refusal& r);

} // namespace commands
