// A minimal host for looking at the plug-in's dialog: loads dsp_levo.dll
// from its own folder's parent, shows the dialog, feeds it stereo blocks for
// a few seconds while dispatching messages (as a player's UI thread does,
// with IsDialogMessage for keyboard navigation), then quits the module.
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "library_loader.h"

int main(int argc, char**) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder = folder.substr(0, folder.find_last_of('\\'));
    folder = folder.substr(0, folder.find_last_of('\\') + 1);
    DeleteFileA("C:\\levoria.ini"); // start from the defaults
    PluginModule* module = test::load_plugin(folder).module;
    if (!module) return 2;
    module->init(module);
    module->config(module);
    HWND dlg = FindWindowA(nullptr, "Levoria Automatic Gain Controller (V1.5)");
    if (argc > 1) SendMessageA(dlg, WM_COMMAND, 1023, 0); // "Echo Enable"

    std::vector<short> block(2 * 576);
    DWORD end = GetTickCount() + 4000;
    double phase = 0;
    while (GetTickCount() < end) {
        for (size_t i = 0; i < block.size(); i += 2, phase += 2 * 3.14159265 * 440 / 44100)
            block[i] = block[i + 1] = static_cast<short>(6000 * std::sin(phase));
        module->process(module, block.data(), 576, 16, 2, 44100);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (IsDialogMessageA(dlg, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(13);
    }
    module->quit(module);
    return 0;
}
