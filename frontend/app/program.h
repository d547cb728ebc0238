// The program quorbel.exe runs: the window of one program folder, from the
// start-up to the settings saved at its end. The lock's name comes from the
// caller (tests name one lock for every folder, to see how the program
// behaves when two folders share one).
#pragma once

#include <string>

namespace app {

using LockNaming = std::string (*)(const std::string& folder_identity);

// The process's exit code. `instance` is the program's HINSTANCE.
int run_program(void* instance, LockNaming lock_name);

} // namespace app
