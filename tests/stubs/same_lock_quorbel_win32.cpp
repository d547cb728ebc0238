// quorbel.exe with one lock name for every program folder: two folders then
// share a lock as a hash collision would make them.
#include <windows.h>

#include "frontend/app/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return app::run_program(instance, [](const std::string&) {
        return std::string("Local\\quorbel-one-lock-for-every-folder");
    });
}
