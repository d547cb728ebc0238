// One window per program folder. The first start in a folder takes the
// folder's lock and keeps it until the process ends (its settings saved);
// another start asks the running windows whether one belongs to its folder
// and brings that one to the front, or waits for a window that is closing,
// then takes the lock and opens. The header names no Win32 type.
#pragma once

#include <string>

#include "platform/os.h"

namespace app {

// The folder as every name of it gives it: its final path, links resolved,
// in the system's case folding (Os::case_key); the folder's name as given
// when the system cannot tell.
std::string folder_identity(const std::string& folder, platform::Os& os);

class OneWindow {
  public:
    // Whether this start opens a window: false when a window of this folder
    // runs already (it was brought to the front), or when one holds the
    // lock and does not answer for several seconds (the user is told).
    bool claim(const std::string& lock_name, const std::string& identity);
    ~OneWindow(); // the lock goes with the process, after the settings are saved

  private:
    void* lock_ = nullptr;
};

} // namespace app
