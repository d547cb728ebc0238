// The outside programs elsewhere: files by name on PATH, a short run read
// through popen. There is no AviSynth.
#include "platform/tools.h"

#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/posix_path.h"

namespace platform {

namespace {

bool is_program(const std::string& name) {
    std::string path = native_path(name);
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

class PosixTools final : public Tools {
  public:
    std::optional<std::string> find_program(const std::string& name,
                                            const std::vector<std::string>& folders) override {
        // A Windows program's name stands also for the POSIX program of its
        // base name: "x264.exe" is "x264" here. Each place is searched for
        // both before the next.
        std::vector<std::string> names = {name};
        const std::string exe = ".exe";
        if (name.size() > exe.size() &&
            name.compare(name.size() - exe.size(), exe.size(), exe) == 0)
            names.push_back(name.substr(0, name.size() - exe.size()));
        std::vector<std::string> places = folders;
        const char* path = std::getenv("PATH");
        std::string rest = path ? path : "";
        while (!rest.empty()) {
            size_t colon = rest.find(':');
            std::string folder = rest.substr(0, colon);
            rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
            if (!folder.empty()) places.push_back(folder + "/");
        }
        for (const std::string& place : places)
            for (const std::string& candidate : names)
                if (is_program(place + candidate)) return place + candidate;
        return std::nullopt;
    }

    std::optional<std::string> output_of(const std::string& program,
                                         const std::string& arguments) override {
        std::string command =
            "timeout 10 " + quoted(native_path(program)) + " " + arguments + " 2>&1";
        std::FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return std::nullopt;
        std::string output;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, n);
        int status = ::pclose(pipe);
        // The shell answers 127 when the program cannot be run, timeout 124.
        if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) == 127 ||
            WEXITSTATUS(status) == 124)
            return std::nullopt;
        return output;
    }

    bool avisynth_installed() override { return false; }
};

} // namespace

Tools& native_tools() {
    static PosixTools tools;
    return tools;
}

} // namespace platform
