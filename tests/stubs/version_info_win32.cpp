// Reads the version resource of each file named, as Explorer shows it:
//   version_info FILE...
// prints "FILE|ProductName|FileVersion|FileDescription|fixed version" per
// file; exit code 1 when a file has no version resource.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string value(std::vector<char>& data, const char* name) {
    char* text = nullptr;
    UINT length = 0;
    std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) ||
        !text)
        return "";
    return std::string(text, length > 0 ? length - 1 : 0);
}

} // namespace

int main(int argc, char** argv) {
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        DWORD handle = 0, size = GetFileVersionInfoSizeA(argv[i], &handle);
        std::vector<char> data(size);
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (size == 0 || !GetFileVersionInfoA(argv[i], 0, size, data.data()) ||
            !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) {
            std::printf("%s|no version resource\n", argv[i]);
            status = 1;
            continue;
        }
        std::printf("%s|%s|%s|%s|%u.%u.%u\n", argv[i], value(data, "ProductName").c_str(),
                    value(data, "FileVersion").c_str(), value(data, "FileDescription").c_str(),
                    unsigned(HIWORD(fixed->dwFileVersionMS)),
                    unsigned(LOWORD(fixed->dwFileVersionMS)), unsigned(HIWORD(fixed->dwFileVersionLS)));
    }
    return status;
}
