// The audio line of a job and the mux lines that follow it.
#pragma once

#include <string>

#include "frontend/commands/job_list.h"

namespace commands {

// The audio file that the `ae` choice `encoder` writes for the output
// ("D:\v\clip.mp4" gives "D:\v\clip.audio.mp4"); empty for an index outside
// the list.
std::string audio_file(const std::string& outfile, int encoder);
// The file mkvmerge writes for the output: "D:\v\clip.mkv" for
// "D:\v\clip.mp4"; beside a Matroska output, "D:\v\clip.muxed.mkv", which
// then takes the output's place.
std::string matroska_file(const std::string& outfile);

// Appends the audio-encoding line for the `ae` choice `encoder`, then the
// mux lines; an index outside the list appends nothing.
void audio_command(const settings::Settings& s, int encoder, JobList& jobs);

// Appends the lines that mux the audio file (`audio_name`, in double quotes)
// into the job's output and remove the intermediates once that worked.
void mux_command(const settings::Settings& s, const std::string& audio_name, JobList& jobs);

} // namespace commands
