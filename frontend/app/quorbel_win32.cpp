// quorbel.exe: the program's entry.
#include <windows.h>

#include "frontend/app/program.h"
#include "frontend/app/window_lock.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return app::run_program(instance, app::window_lock_name);
}
