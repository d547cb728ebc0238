// toolenv.exe for Windows.
#include <windows.h>

#include <cstdio>

#include "tools/params/command_line.h"
#include "tools/toolenv/toolenv.h"

namespace {

bool write_file(const std::string& name, const std::string& text) {
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    return CloseHandle(h) && ok;
}

} // namespace

int main() {
    std::vector<std::string> params = tools::split_parameters(GetCommandLineA());
    char path[MAX_PATH + 1] = {};
    std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    std::string folder = exe.substr(0, exe.find_last_of("\\/"));
    DWORD tools = GetFileAttributesA((folder + "\\tools").c_str());
    bool has_tools = tools != INVALID_FILE_ATTRIBUTES && (tools & FILE_ATTRIBUTE_DIRECTORY);
    return toolenv::run(params, {folder, has_tools, write_file}, stderr);
}
