// The plug-in's system services on Windows: the profile functions on
// "C:\levoria.ini" and the desktop window.
#include <windows.h>

#include "plugin/plugin_os.h"

namespace levo::os {

namespace {
const char section[] = "levoria";
const char path[] = "C:\\levoria.ini";
} // namespace

std::string profile_path() {
    return path;
}

int32_t read_profile_int(const char* key, int32_t fallback) {
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, fallback, path));
}

void write_profile_string(const char* key, const std::string& value) {
    WritePrivateProfileStringA(section, key, value.c_str(), path);
}

Rect desktop_rect() {
    RECT r{};
    GetWindowRect(GetDesktopWindow(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

// create_dialog is in config_dialog_win32.cpp.
void show_dialog(void* dialog) {
    if (dialog) ShowWindow(static_cast<HWND>(dialog), SW_SHOW);
}
bool dialog_rect(void* dialog, Rect& r) {
    RECT w;
    if (!dialog || !GetWindowRect(static_cast<HWND>(dialog), &w)) return false;
    r = {w.left, w.top, w.right, w.bottom};
    return true;
}
void destroy_dialog(void* dialog) {
    if (dialog) DestroyWindow(static_cast<HWND>(dialog));
}

} // namespace levo::os

// Load and unload notifications need nothing.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
