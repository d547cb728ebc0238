// The outside programs on Windows: files by name, a short run with its output
// read through a pipe, and AviSynth's registration.
#include "platform/tools.h"

#include <windows.h>

namespace platform {

namespace {

bool is_file(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string environment(const char* name) {
    DWORD n = GetEnvironmentVariableA(name, nullptr, 0);
    if (n == 0) return {};
    std::string value(n, '\0');
    value.resize(GetEnvironmentVariableA(name, value.data(), n));
    return value;
}

bool has_key(HKEY root, const char* path, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

class Win32Tools final : public Tools {
  public:
    std::optional<std::string> find_program(const std::string& name,
                                            const std::vector<std::string>& folders) override {
        for (const std::string& folder : folders)
            if (is_file(folder + name)) return folder + name;
        // The folders of PATH only, as the command interpreter searches them.
        std::string path = environment("PATH");
        char found[MAX_PATH * 4] = {};
        DWORD n = SearchPathA(path.c_str(), name.c_str(), nullptr, sizeof found, found, nullptr);
        if (n == 0 || n >= sizeof found || !is_file(found)) return std::nullopt;
        return std::string(found, n);
    }

    std::optional<std::string> output_of(const std::string& program,
                                         const std::string& arguments) override {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE read_end = nullptr, write_end = nullptr;
        if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return std::nullopt;
        SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = nullptr;
        si.hStdOutput = write_end;
        si.hStdError = write_end;
        PROCESS_INFORMATION pi = {};
        std::string command = "\"" + program + "\" " + arguments;
        BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
        CloseHandle(write_end);
        if (!started) {
            CloseHandle(read_end);
            return std::nullopt;
        }
        std::string output;
        const DWORD deadline = GetTickCount() + 10000;
        bool ended = false;
        for (;;) {
            DWORD available = 0;
            if (!PeekNamedPipe(read_end, nullptr, 0, nullptr, &available, nullptr)) {
                ended = true; // every writer has closed its end
                break;
            }
            if (available > 0) {
                char buffer[4096];
                DWORD got = 0;
                if (!ReadFile(read_end, buffer, sizeof buffer, &got, nullptr)) break;
                output.append(buffer, got);
                continue;
            }
            if (static_cast<LONG>(GetTickCount() - deadline) > 0) break;
            Sleep(10);
        }
        if (!ended || WaitForSingleObject(pi.hProcess, 1000) != WAIT_OBJECT_0) {
            TerminateProcess(pi.hProcess, 1);
            ended = false;
        }
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        CloseHandle(read_end);
        if (!ended) return std::nullopt;
        return output;
    }

    bool avisynth_installed() override {
        // Its installers register it in either registry view; a copy of its
        // DLL in the system folder serves as well.
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
            if (has_key(HKEY_LOCAL_MACHINE, "SOFTWARE\\AviSynth", view)) return true;
        HMODULE dll = LoadLibraryExA("avisynth.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (!dll) return false;
        FreeLibrary(dll);
        return true;
    }
};

} // namespace

Tools& native_tools() {
    static Win32Tools tools;
    return tools;
}

} // namespace platform
