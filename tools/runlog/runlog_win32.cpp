// runlog for Windows: "x264 ... 2>&1|runlog.exe "log file"".
#include <windows.h>

#include "tools/params/command_line.h"
#include "tools/runlog/log_copier.h"

namespace {

class Win32System final : public runlog::System {
  public:
    size_t read_input(char* buf, size_t max) override {
        DWORD got = 0;
        if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), buf, static_cast<DWORD>(max), &got, nullptr))
            return 0;
        return got;
    }

    void write_output(const char* buf, size_t n) override {
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        DWORD written = 0;
        if (!WriteConsoleA(out, buf, static_cast<DWORD>(n), &written, nullptr))
            WriteFile(out, buf, static_cast<DWORD>(n), &written, nullptr);
    }

    bool open_log(const std::string& name) override {
        log_ = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log_ == INVALID_HANDLE_VALUE) return fail();
        LARGE_INTEGER zero{};
        SetFilePointerEx(log_, zero, nullptr, FILE_END);
        return true;
    }

    bool write_log(const char* buf, size_t n) override {
        DWORD written = 0;
        if (!WriteFile(log_, buf, static_cast<DWORD>(n), &written, nullptr)) return fail();
        if (written < n) {
            error_ = ERROR_DISK_FULL;
            return false;
        }
        return true;
    }

    bool close_log() override {
        bool ok = CloseHandle(log_) != 0 || fail();
        log_ = INVALID_HANDLE_VALUE;
        return ok;
    }

    std::string last_error() override {
        char text[512] = {};
        DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, error_, 0, text, sizeof text, nullptr);
        while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == '.')) --n;
        return n ? std::string(text, n) : "error " + std::to_string(error_);
    }

    void report(const std::string& line) override {
        std::string text = line + "\r\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()),
                  &written, nullptr);
    }

    runlog::LocalTime local_time() override {
        SYSTEMTIME t;
        GetLocalTime(&t);
        return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
    }

  private:
    bool fail() {
        error_ = GetLastError();
        return false;
    }
    HANDLE log_ = INVALID_HANDLE_VALUE;
    DWORD error_ = 0;
};

Win32System os;
runlog::LogCopier copier(os);

// The console window is closing: keep what the log has, then let the
// system end the process. Other events take their default course.
BOOL WINAPI on_console_event(DWORD event) {
    if (event != CTRL_CLOSE_EVENT) return FALSE;
    copier.close_event();
    return FALSE;
}

} // namespace

int main() {
    SetConsoleCtrlHandler(on_console_event, TRUE);
    std::vector<std::string> params = tools::split_parameters(GetCommandLineA());
    return copier.run(tools::parameter(params, 1));
}
