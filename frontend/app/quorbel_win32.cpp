// quorbel.exe: the program's entry. Prepares the platform services, builds
// the window, runs it, and saves the settings when it closes. One window per
// program folder: a second start brings the first one to the front and ends.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdint>

#include "frontend/session/session.h"
#include "frontend/ui/resource_ids.h"
#include "frontend/ui/window.h"

namespace {

// The window property that names the program folder a window belongs to.
const char folder_property[] = "quorbel.folder";

// The program folder as a number (FNV-1a of its upper-cased name), for the
// mutex's name and the window property.
uint32_t folder_key(const std::string& folder) {
    uint32_t h = 2166136261u;
    for (char c : folder) {
        h ^= static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        h *= 16777619u;
    }
    return h;
}

// The running window of this folder, to the front; false when none comes
// within a few seconds (it may still be starting).
bool bring_to_front(uint32_t key) {
    for (int tries = 0; tries < 100; ++tries) {
        struct Search {
            uint32_t key;
            HWND found;
        } search{key, nullptr};
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                char cls[32] = {};
                GetClassNameA(w, cls, sizeof cls);
                if (std::string(cls) != "QuorbelWindow" ||
                    reinterpret_cast<uintptr_t>(GetPropA(w, folder_property)) != s->key)
                    return TRUE;
                s->found = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
            SetForegroundWindow(search.found);
            return true;
        }
        Sleep(50);
    }
    return false;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    platform::Os& os = platform::native_os();
    const std::string folder = os.program_folder();
    const uint32_t key = folder_key(folder);
    HANDLE one_window =
        CreateMutexA(nullptr, FALSE, ("Local\\quorbel-" + std::to_string(key)).c_str());
    if (one_window && GetLastError() == ERROR_ALREADY_EXISTS) {
        bring_to_front(key);
        CloseHandle(one_window);
        return 0;
    }

    // The window and control library with the common controls, and COM for
    // the file dialogs and the media probe.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    HANDLE logo = LoadImageA(instance, MAKEINTRESOURCEA(QUORBEL_LOGO_BITMAP), IMAGE_BITMAP, 0, 0,
                             LR_DEFAULTCOLOR);

    session::create_working_folders(os, {folder});

    ui::Window window({os, platform::native_media_probe(), platform::native_processes(),
                       platform::native_tools()},
                      folder);
    window.create(logo);
    SetPropA(static_cast<HWND>(window.handle()), folder_property,
             reinterpret_cast<HANDLE>(static_cast<uintptr_t>(key)));
    window.front_end().start();
    window.run();

    window.front_end().shut_down(); // a failure is told
    if (logo) DeleteObject(logo);
    if (SUCCEEDED(com)) CoUninitialize();
    if (one_window) CloseHandle(one_window);
    return 0;
}
