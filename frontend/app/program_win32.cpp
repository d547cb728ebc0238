// quorbel.exe's work: prepares the platform services, builds the window,
// runs it, and saves the settings when it closes; one window per program
// folder (one_window.h).
#include "frontend/app/program.h"

#include <windows.h>

#include <commctrl.h>

#include "frontend/app/one_window.h"
#include "frontend/session/session.h"
#include "frontend/ui/resource_ids.h"
#include "frontend/ui/window.h"
#include "platform/media_probes.h"

namespace app {

int run_program(void* instance_handle, LockNaming lock_name) {
    HINSTANCE instance = static_cast<HINSTANCE>(instance_handle);
    platform::Os& os = platform::native_os();
    const std::string folder = os.program_folder();
    const std::string identity = folder_identity(folder, os);
    const std::string lock = lock_name(identity);
    OneWindow one_window;
    if (!one_window.claim(lock, identity)) return 0;

    // The window and control library with the common controls. COM, which
    // the file dialogs and the media probe need, comes with their first use.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);

    HANDLE logo = LoadImageA(instance, MAKEINTRESOURCEA(QUORBEL_LOGO_BITMAP), IMAGE_BITMAP, 0, 0,
                             LR_DEFAULTCOLOR);

    session::create_working_folders(os, {folder});

    platform::Tools& tools = platform::native_tools();
    std::unique_ptr<platform::MediaProbes> probes =
        platform::native_media_probes(os, tools, {folder, folder + "tools\\"});
    ui::Window window({os, *probes, platform::native_processes(), tools}, folder);
    window.create(logo);
    window.answer_folder_queries(lock, identity);
    window.front_end().show_start();
    window.run(); // which finishes the start once the window waits for input

    window.front_end().shut_down(); // a failure is told
    if (logo) DeleteObject(logo);
    return 0;
}

} // namespace app
