// Win32 implementation of the platform services (ANSI entry points). Each
// failing call keeps its error code for last_error().
#include "platform/os.h"

#include <windows.h>

#include <algorithm>

namespace platform {
namespace {

// FILETIME counts 100-ns steps since 1601; 11644473600 seconds lie before 1970.
int64_t unix_seconds(FILETIME ft) {
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    return static_cast<int64_t>(t.QuadPart / 10000000ULL) - 11644473600LL;
}

std::wstring wide(std::string_view text, UINT code_page, DWORD flags) {
    int n = static_cast<int>(text.size());
    int length = MultiByteToWideChar(code_page, flags, text.data(), n, nullptr, 0);
    if (length <= 0) return {};
    std::wstring w(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(code_page, flags, text.data(), n, w.data(), length);
    return w;
}

class Win32Os final : public Os {
  public:
    std::string program_folder() override {
        // The path whole, however long: the buffer grows until it fits.
        std::string path(MAX_PATH, '\0');
        for (;;) {
            DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (n < path.size()) {
                path.resize(n);
                break;
            }
            path.resize(path.size() * 2);
        }
        return path.substr(0, path.find_last_of("\\/") + 1);
    }

    bool create_folder(const std::string& path) override {
        return CreateDirectoryA(path.c_str(), nullptr) != 0 || fail();
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
        if (h == INVALID_HANDLE_VALUE) {
            fail();
            return std::nullopt;
        }
        std::string data;
        LARGE_INTEGER size;
        if (GetFileSizeEx(h, &size) && size.QuadPart > 0)
            data.reserve(static_cast<size_t>(size.QuadPart));
        char buf[65536];
        DWORD got = 0;
        bool ok = true;
        while ((ok = ReadFile(h, buf, sizeof buf, &got, nullptr)) && got > 0) data.append(buf, got);
        if (!ok) fail();
        CloseHandle(h);
        if (!ok) return std::nullopt;
        return data;
    }

    std::optional<std::string> read_part(const std::string& path, int64_t offset,
                                         size_t size) override {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            fail();
            return std::nullopt;
        }
        std::string data(size, '\0');
        LARGE_INTEGER at;
        at.QuadPart = offset;
        DWORD got = 0;
        bool ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) &&
                  ReadFile(h, data.data(), static_cast<DWORD>(size), &got, nullptr);
        if (!ok) fail();
        CloseHandle(h);
        if (!ok) return std::nullopt;
        data.resize(got);
        return data;
    }

    bool rename_new(const std::string& from, const std::string& to) override {
        return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0 || fail();
    }

    bool delete_file(const std::string& path) override {
        return DeleteFileA(path.c_str()) != 0 || fail();
    }

    bool file_exists(const std::string& path) override {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::optional<FileInfo> file_info(const std::string& path) override {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return std::nullopt;
        int64_t size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        return FileInfo{size, unix_seconds(data.ftLastWriteTime)};
    }

    int64_t now() override {
        FILETIME ft;
        GetSystemTimeAsFileTime(&ft);
        return unix_seconds(ft);
    }

    std::string utf8_to_ansi(std::string_view utf8) override {
        std::wstring w = wide(utf8, CP_UTF8, 0);
        int n = static_cast<int>(w.size());
        int length = WideCharToMultiByte(CP_ACP, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
        std::string ansi(static_cast<size_t>(length > 0 ? length : 0), '\0');
        if (length > 0)
            WideCharToMultiByte(CP_ACP, 0, w.data(), n, ansi.data(), length, nullptr, nullptr);
        return ansi;
    }

    std::vector<uint32_t> ansi_lacks(std::string_view utf8) override {
        std::vector<uint32_t> lacking;
        std::wstring w = wide(utf8, CP_UTF8, 0);
        for (size_t i = 0; i < w.size(); ++i) {
            int units = IS_HIGH_SURROGATE(w[i]) && i + 1 < w.size() ? 2 : 1;
            BOOL lost = FALSE;
            char buf[8];
            int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data() + i, units, buf,
                                        sizeof buf, nullptr, &lost);
            uint32_t c = units == 2 ? 0x10000 + ((w[i] - 0xD800) << 10) + (w[i + 1] - 0xDC00)
                                    : static_cast<uint32_t>(w[i]);
            if ((n <= 0 || lost) && std::find(lacking.begin(), lacking.end(), c) == lacking.end())
                lacking.push_back(c);
            i += static_cast<size_t>(units - 1);
        }
        return lacking;
    }

    std::optional<std::string> ansi_to_console(std::string_view ansi) override {
        bool plain = true;
        for (char c : ansi) plain = plain && static_cast<unsigned char>(c) < 0x80;
        if (plain) return std::string(ansi); // ASCII is the same in both
        std::wstring w = wide(ansi, CP_ACP, MB_ERR_INVALID_CHARS);
        if (w.empty()) return std::nullopt;
        int n = static_cast<int>(w.size());
        BOOL lost = FALSE;
        int length = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, w.data(), n, nullptr, 0,
                                         nullptr, &lost);
        if (length <= 0 || lost) return std::nullopt;
        std::string console(static_cast<size_t>(length), '\0');
        WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, w.data(), n, console.data(), length,
                            nullptr, &lost);
        if (lost) return std::nullopt;
        return console;
    }

    std::string case_key(std::string_view name) override {
        // The upper-case table that CompareStringOrdinal ignores case by; the
        // key is the folded name in UTF-8, so no two names share it by accident.
        std::wstring w = wide(name, CP_ACP, 0);
        if (w.empty()) return std::string(name);
        CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
        int n = static_cast<int>(w.size());
        int length = WideCharToMultiByte(CP_UTF8, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
        std::string key(static_cast<size_t>(length > 0 ? length : 0), '\0');
        if (length > 0)
            WideCharToMultiByte(CP_UTF8, 0, w.data(), n, key.data(), length, nullptr, nullptr);
        return key;
    }

    std::string final_path(std::string_view name) override {
        std::wstring w = wide(name, CP_ACP, 0);
        if (w.empty()) return std::string(name);
        // "\\?\\C:\\x" and "\\?\\UNC\\server\\x" name what "C:\\x" and
        // "\\\\server\\x" name.
        if (w.rfind(L"\\\\?\\UNC\\", 0) == 0)
            w = L"\\" + w.substr(7);
        else if (w.rfind(L"\\\\?\\", 0) == 0)
            w = w.substr(4);
        DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
        if (n == 0) return std::string(name);
        std::wstring full(n, L'\0');
        n = GetFullPathNameW(w.c_str(), n, full.data(), nullptr);
        full.resize(n);
        // Short names made long on the longest part that exists.
        std::wstring rest;
        for (std::wstring part = full; !part.empty();) {
            DWORD m = GetLongPathNameW(part.c_str(), nullptr, 0);
            if (m > 0) {
                std::wstring long_name(m, L'\0');
                m = GetLongPathNameW(part.c_str(), long_name.data(), m);
                if (m > 0) {
                    long_name.resize(m);
                    full = long_name + rest;
                }
                break;
            }
            size_t cut = part.find_last_of(L'\\');
            if (cut == std::wstring::npos || cut < 3) break; // the drive's root
            rest = part.substr(cut) + rest;
            part.resize(cut);
        }
        int length = WideCharToMultiByte(CP_ACP, 0, full.data(), static_cast<int>(full.size()),
                                         nullptr, 0, nullptr, nullptr);
        if (length <= 0) return std::string(name);
        std::string ansi(static_cast<size_t>(length), '\0');
        WideCharToMultiByte(CP_ACP, 0, full.data(), static_cast<int>(full.size()), ansi.data(),
                            length, nullptr, nullptr);
        return ansi;
    }

    size_t longest_path() override { return MAX_PATH - 1; }

    bool process_exists(uint32_t pid) override {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        if (!process) return GetLastError() == ERROR_ACCESS_DENIED; // one of another user
        bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
        CloseHandle(process);
        return running;
    }

    unsigned processors() override {
        DWORD_PTR mine = 0, system = 0;
        unsigned n = 0;
        if (GetProcessAffinityMask(GetCurrentProcess(), &mine, &system))
            for (; mine; mine &= mine - 1) ++n;
        return n > 0 ? n : 1;
    }

    std::string last_error() override {
        char buf[512] = {};
        DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, error_, 0, buf, sizeof buf, nullptr);
        std::string text(buf, n);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                                 text.back() == '.'))
            text.pop_back();
        return text.empty() ? "error " + std::to_string(error_) : text;
    }

    std::optional<TempFile> create_temp(const std::string& target) override {
        // Beside the target, under a name of this process's own.
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string path = temp_name(target, GetCurrentProcessId(), ++temp_count_);
            HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h != INVALID_HANDLE_VALUE) return TempFile{path, reinterpret_cast<intptr_t>(h)};
            DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
        }
        fail();
        return std::nullopt;
    }

    bool write_temp(TempFile& file, std::string_view bytes) override {
        HANDLE h = reinterpret_cast<HANDLE>(file.handle);
        while (!bytes.empty()) {
            DWORD chunk =
                bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
            DWORD written = 0;
            if (!WriteFile(h, bytes.data(), chunk, &written, nullptr)) return fail();
            if (written == 0) { // nothing more fits
                error_ = ERROR_DISK_FULL;
                return false;
            }
            bytes.remove_prefix(written);
        }
        return true;
    }

    bool commit_temp(TempFile& file, const std::string& target, bool replace) override {
        HANDLE h = reinterpret_cast<HANDLE>(file.handle);
        bool flushed = FlushFileBuffers(h) != 0 || fail();
        bool closed = CloseHandle(h) != 0 || fail();
        file.handle = -1;
        if (!flushed || !closed) return false;
        DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
        return MoveFileExA(file.path.c_str(), target.c_str(), flags) != 0 || fail();
    }

    void discard_temp(TempFile& file) override {
        if (file.handle != -1) CloseHandle(reinterpret_cast<HANDLE>(file.handle));
        file.handle = -1;
        DeleteFileA(file.path.c_str());
    }

  private:
    // Keeps the error of the call that failed; always false.
    bool fail() {
        error_ = GetLastError();
        return false;
    }

    DWORD error_ = 0;
    unsigned temp_count_ = 0;
};

} // namespace

Os& native_os() {
    static Win32Os os;
    return os;
}

} // namespace platform
