// Win32 implementation of the platform services (ANSI entry points).
#include "platform/os.h"

#include <windows.h>

namespace platform {
namespace {

bool write_handle(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(h, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool write_with_disposition(const std::string& path, std::string_view bytes, DWORD disposition) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = write_handle(h, bytes);
    return CloseHandle(h) && ok;
}

class Win32Os final : public Os {
  public:
    std::string program_folder() override {
        char buf[MAX_PATH + 1] = {};
        DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
        std::string path(buf, n);
        return path.substr(0, path.find_last_of("\\/") + 1);
    }

    bool create_folder(const std::string& path) override {
        return CreateDirectoryA(path.c_str(), nullptr) != 0;
    }

    std::vector<std::string> list_folder(const std::string& pattern) override {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
        return names;
    }

    std::optional<std::string> read_file(const std::string& path) override {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return std::nullopt;
        std::string data;
        char buf[65536];
        DWORD got = 0;
        bool ok = true;
        while ((ok = ReadFile(h, buf, sizeof buf, &got, nullptr)) && got > 0) data.append(buf, got);
        CloseHandle(h);
        if (!ok) return std::nullopt;
        return data;
    }

    bool write_file(const std::string& path, std::string_view bytes) override {
        return write_with_disposition(path, bytes, CREATE_ALWAYS);
    }

    bool write_new_file(const std::string& path, std::string_view bytes) override {
        return write_with_disposition(path, bytes, CREATE_NEW);
    }

    bool overwrite_start(const std::string& path, std::string_view bytes) override {
        return write_with_disposition(path, bytes, OPEN_ALWAYS);
    }

    bool delete_file(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

    bool file_exists(const std::string& path) override {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string utf8_to_ansi(std::string_view utf8) override {
        if (utf8.empty()) return {};
        int n = static_cast<int>(utf8.size());
        int wide_len = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, nullptr, 0);
        std::wstring wide(static_cast<size_t>(wide_len), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, wide.data(), wide_len);
        int ansi_len =
            WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_len, nullptr, 0, nullptr, nullptr);
        std::string ansi(static_cast<size_t>(ansi_len), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_len, ansi.data(), ansi_len, nullptr,
                            nullptr);
        return ansi;
    }

    std::string last_error() override {
        DWORD code = GetLastError();
        char buf[512] = {};
        DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, buf, sizeof buf, nullptr);
        std::string text(buf, n);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                                 text.back() == '.'))
            text.pop_back();
        return text.empty() ? "error " + std::to_string(code) : text;
    }
};

} // namespace

Os& native_os() {
    static Win32Os os;
    return os;
}

} // namespace platform
