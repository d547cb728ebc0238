// The outside programs the scripts call, as far as the front end looks at
// them before it writes their lines. Tests swap in their own.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

class Tools {
  public:
    virtual ~Tools() = default;
    // The first file of this name in the folders, in order, then in the
    // folders of the system's search path; nothing when there is none. On
    // POSIX a name ending in ".exe" is first looked for without it.
    virtual std::optional<std::string> find_program(const std::string& name,
                                                    const std::vector<std::string>& folders) = 0;
    // Runs the program with the arguments, without a window of its own, and
    // returns what it wrote to its standard output and error; nothing when
    // it could not be started or did not end within ten seconds.
    virtual std::optional<std::string> output_of(const std::string& program,
                                                 const std::string& arguments) = 0;
    // Whether AviSynth is installed, which reads the wrapper scripts.
    virtual bool avisynth_installed() = 0;
};

// The system's own.
Tools& native_tools();

} // namespace platform
