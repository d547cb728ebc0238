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
std::string started_batch_text(const std::string& program_folder,
                               const std::vector<std::string>& jobs, const std::string& script);

// The name a saved batch file gets: ".bat" is appended when the chosen name
// has no extension.
std::string batch_file_name(const std::string& chosen);

} // namespace commands
