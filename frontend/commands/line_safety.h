// Whether the settings can go into a job's batch lines without changing what
// the lines do: no line may hold a control character, and no value may add a
// command of its own.
#pragma once

#include <optional>
#include <string>

#include "frontend/settings/settings.h"

namespace commands {

// The key of the first text field whose value holds a control character
// (CR, LF, NUL, any below 32, or DEL) or a double quote, which would close
// or open a quotation (a matrix file's own enclosing quotes aside), or, where
// it stands unquoted in a line, one of the characters that end or join
// commands for the command interpreter ("&", "|", "<", ">", "^") or "%",
// which it expands ("%QQ%" is an environment variable's value, quotes and
// "&" included). Names the lines enclose in double quotes may hold those.
// Nothing when all is safe.
std::optional<std::string> unsafe_field(const settings::Settings& s);

// Each side of a pipe ("2>&1|runlog.exe", the audio line's "|") runs in a new
// command interpreter, which expands "%NAME%" once more after the batch
// file's own pass has turned "%%" into "%": a name "%PATH%.y4m" would reach
// x264 changed. A piped line keeps its names only when, on each side, the
// text between any two "%" holds a double quote (no variable is named so):
// one "%" in each of two names passes, two "%" in one name do not. The name
// (as the program gets it) whose "%" is at fault, or nothing when the line
// pipes nothing or is safe. Disabled lines ("@rem ") run nothing.
std::optional<std::string> piped_percent_problem(const std::string& line);

} // namespace commands
