// The batch files written from the job list.
#pragma once

#include <string>
#include <vector>

namespace commands {

// "Make BAT": four head lines that enter the program's folder and set up the
// tools' environment, then every job line; CR LF after each line.
std::string saved_batch_text(const std::string& program_folder,
                             const std::vector<std::string>& jobs);

// "Start": the head lines, a wait of one second (the front end lowers the
// script's priority meanwhile), the tools' environment, every job line, and
// a last line without line end that deletes the script, named `script`.
// Scripts that run at once each set up the environment in a file of their
// own: environment_of(script).
std::string started_batch_text(const std::string& program_folder,
                               const std::vector<std::string>& jobs, const std::string& script);

// The n-th name a started script may take: "temp.bat", "temp2.bat", ...
std::string started_script_name(size_t n);
// Whether `name` is one of those names, spelt as started_script_name spells
// it (the only files a stopped queue's clean-up may delete).
bool is_started_script_name(const std::string& name);
// The environment file a started script writes, calls and deletes, without
// ".bat": "toolenv" for "temp.bat", "toolenv2" for "temp2.bat" and so on.
std::string environment_of(const std::string& script);

// The name a saved batch file gets: ".bat" is appended when the chosen name
// has no extension.
std::string batch_file_name(const std::string& chosen);

} // namespace commands
