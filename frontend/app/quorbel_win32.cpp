// quorbel.exe: the program's entry. Prepares the platform services, builds
// the window, runs it, and saves the settings when it closes.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "frontend/app/session.h"
#include "frontend/ui/resource_ids.h"
#include "frontend/ui/window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The window and control library with the common controls, and COM for
    // the file dialogs and the media probe.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    HANDLE logo = LoadImageA(instance, MAKEINTRESOURCEA(QUORBEL_LOGO_BITMAP), IMAGE_BITMAP, 0, 0,
                             LR_DEFAULTCOLOR);

    platform::Os& os = platform::native_os();
    const std::string folder = os.program_folder();
    app::create_working_folders(os, folder);

    ui::Window window({os, platform::native_media_probe(), platform::native_processes(),
                       platform::native_tools()},
                      folder);
    window.create(logo);
    window.front_end().start();
    window.run();

    window.front_end().shut_down();
    if (logo) DeleteObject(logo);
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}
