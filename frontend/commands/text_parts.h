// Small text operations the command generators share.
#pragma once

#include <string>

namespace commands {

// Folder part (up to and including the last backslash or slash), file name
// (after it) and extension (after the last dot of the file name; empty when
// it has none).
std::string folder_part(const std::string& path);
std::string file_name(const std::string& path);
std::string extension(const std::string& path);
bool has_extension_dot(const std::string& path); // the file name holds a dot
// The path without its extension; the dot before the extension stays.
std::string output_stem(const std::string& path);

std::string upper(std::string text);              // a-z to A-Z only
std::string trim_spaces(const std::string& text); // code 32 only
// Whether a line begins with a text, letter case included.
bool begins_with(const std::string& line, const std::string& text);

// A number rounded to single precision and printed with six decimals.
std::string ratio_text(double value);

// A name as it must stand in a batch script line: the command interpreter
// expands "%" inside a batch file, so each "%" is doubled.
std::string script_name(const std::string& name);
// A name as a script line writes it, back as the program it runs gets it.
std::string name_in_script(const std::string& written);

} // namespace commands
