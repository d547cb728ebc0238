// The real window with files dropped on it, for a picture of what a drop
// makes: the window of program folder FOLDER is built and started in this
// process, the files are dropped on it as the shell drops them (WM_DROPFILES),
// its "Job" page is shown, and it runs until it is closed.
//   drop_preview FOLDER FILE...
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "frontend/ui/window.h"

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::string names;
    for (int i = 2; i < argc; ++i) names += std::string(argv[i]) + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    ui::Window window({platform::native_os(), platform::native_media_probe(),
                       platform::native_processes(), platform::native_tools()},
                      argv[1]);
    window.create(nullptr);
    window.front_end().start();
    SendMessageA(static_cast<HWND>(window.handle()), WM_DROPFILES, reinterpret_cast<WPARAM>(memory),
                 0);
    window.select_page(4);
    window.run();
    return 0;
}
