// How the console tools split their command line into parameters.
#pragma once

#include <string>
#include <vector>

namespace tools {

// Splits a whole command line. The first item (the program's own name) is
// skipped. Items are separated by one or more spaces; tabs do not separate.
// An item that begins with a double quote runs to the next double quote (or
// the end of the line) and is taken without its quotes; the character after
// the closing quote begins the next item. Any other item runs to the next
// space and keeps any quotes inside it. There is no escape character.
std::vector<std::string> split_parameters(const std::string& command_line);

// Parameter n (1-based) of a split command line; empty beyond the last.
std::string parameter(const std::vector<std::string>& params, size_t n);

} // namespace tools
