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
// commands for the command interpreter ("&", "|", "<", ">", "^"). Names the
// lines enclose in double quotes may hold those. Nothing when all is safe.
std::optional<std::string> unsafe_field(const settings::Settings& s);

} // namespace commands
