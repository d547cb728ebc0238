// The file of `quorbel-cli --inputs`: one input a line, lines ended by CR LF,
// LF or CR, empty lines skipped. A UTF-8 byte-order mark is skipped, and a
// file in UTF-8 (marked so, or holding UTF-8 characters beyond ASCII) is
// turned into the ANSI code page the lines are written in; a name that code
// page cannot hold is refused, naming the characters it lacks.
#pragma once

#include <string>
#include <vector>

#include "platform/os.h"

namespace cli {

struct InputList {
    std::vector<std::string> names;
    // One line for each refused name:
    //   the input "日本.y4m" holds U+65E5 and U+672C, which the ANSI code page cannot hold
    std::vector<std::string> refused;
};

InputList read_inputs_file(const std::string& bytes, platform::Os& os);

} // namespace cli
