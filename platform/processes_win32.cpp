#include "platform/processes.h"

#include <windows.h>

#include <shellapi.h>

#include <map>

namespace platform {

namespace {

std::optional<int64_t> creation_of(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
    return (static_cast<int64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

class Win32Processes final : public Processes {
  public:
    std::optional<uint32_t> start_script(const std::string& script,
                                         const std::string& folder) override {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION pi = {};
        std::string command = "\"" + script + "\"";
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                            CREATE_NEW_CONSOLE | IDLE_PRIORITY_CLASS, nullptr, folder.c_str(), &si,
                            &pi))
            return std::nullopt;
        CloseHandle(pi.hThread);
        started_[pi.dwProcessId] = pi.hProcess; // kept until it has ended
        return static_cast<uint32_t>(pi.dwProcessId);
    }

    bool shell_open(const std::string& script, const std::string& folder) override {
        SHELLEXECUTEINFOA info = {};
        info.cbSize = sizeof info;
        info.lpVerb = "open";
        info.lpFile = script.c_str();
        info.lpDirectory = folder.c_str();
        info.nShow = SW_SHOWNORMAL;
        return ShellExecuteExA(&info) != 0;
    }

    bool has_ended(uint32_t pid) override {
        auto it = started_.find(pid);
        if (it == started_.end()) return true;
        if (WaitForSingleObject(it->second, 0) == WAIT_TIMEOUT) return false;
        CloseHandle(it->second);
        started_.erase(it);
        return true;
    }

    std::optional<std::string> console_title(uint32_t pid) override {
        if (!started_.count(pid)) return std::nullopt;
        // A window program has no console of its own: it borrows the
        // script's for the moment it reads the title.
        FreeConsole();
        if (!AttachConsole(pid)) return std::nullopt;
        char title[1024] = {};
        DWORD n = GetConsoleTitleA(title, sizeof title);
        FreeConsole();
        if (n == 0) return std::nullopt;
        return std::string(title, n < sizeof title ? n : sizeof title - 1);
    }

    std::optional<int64_t> created(uint32_t pid) override {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid);
        if (!process) return std::nullopt;
        std::optional<int64_t> when = creation_of(process);
        if (WaitForSingleObject(process, 0) != WAIT_TIMEOUT) when.reset();
        CloseHandle(process);
        return when;
    }

    bool watch_again(uint32_t pid, int64_t created) override {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid);
        if (!process) return false;
        if (WaitForSingleObject(process, 0) != WAIT_TIMEOUT || creation_of(process) != created) {
            CloseHandle(process);
            return false;
        }
        started_[pid] = process;
        return true;
    }

    bool set_idle_priority(uint32_t pid) override {
        HANDLE process = OpenProcess(PROCESS_SET_INFORMATION, FALSE, pid);
        if (!process) return false;
        bool ok = SetPriorityClass(process, IDLE_PRIORITY_CLASS) != 0;
        CloseHandle(process);
        return ok;
    }

  private:
    std::map<DWORD, HANDLE> started_;
};

} // namespace

Processes& native_processes() {
    static Win32Processes processes;
    return processes;
}

} // namespace platform
