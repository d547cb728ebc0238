// sizegate for Windows: "sizegate.exe LOWER UPPER FILE"; the answer is the
// exit code. The file is only read, shared with any other program.
#include <windows.h>

#include "tools/params/command_line.h"
#include "tools/sizegate/size_limits.h"

namespace {

bool file_size(const std::string& name, int64_t& size) {
    HANDLE h = CreateFileA(name.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER li;
    bool ok = GetFileType(h) == FILE_TYPE_DISK && GetFileSizeEx(h, &li);
    CloseHandle(h);
    size = ok ? li.QuadPart : 0;
    return ok;
}

} // namespace

int main() {
    std::vector<std::string> params = tools::split_parameters(GetCommandLineA());
    int code = sizegate::run(tools::parameter(params, 1), tools::parameter(params, 2),
                             tools::parameter(params, 3), file_size);
    ExitProcess(static_cast<UINT>(code));
}
