#include "platform/processes.h"

#include <windows.h>

#include <shellapi.h>

#include <map>

namespace platform {

namespace {

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
