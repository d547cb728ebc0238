// The main window on Win32: built from the layout table, its controls reached
// through ControlView, their notifications forwarded to the FrontEnd. The
// header names no Win32 type, so tests and the program's entry share it.
#pragma once

#include <memory>
#include <string>

#include "frontend/ui/front_end.h"

namespace ui {

// The class of the main window, by which other processes find it.
extern const char* const window_class;

// What a window answers another start of the program that asks, with
// WM_COPYDATA of this kind, whether it belongs to a program folder: the data
// is the asker's lock name, a line end and its folder's identity.
constexpr unsigned long folder_query = 0x51524246; // "QRBF"
enum FolderAnswer : long { unrelated = 0, same_folder = 1, same_lock_other_folder = 2 };

class Window {
  public:
    // `dialogs` answers the handlers' questions instead of the system's
    // dialogs when given (benchmarks and tests answer them themselves).
    Window(Services services, std::string program_folder, Dialogs* dialogs = nullptr);
    ~Window();

    // Builds the window, shown at once, and its controls in creation order;
    // `logo` is the bitmap handle of the picture on the "Bitrate" page.
    void create(void* logo);
    // Runs the event loop until the close request; the window is then
    // destroyed. The first thing the loop does is FrontEnd::finish_start.
    void run();

    FrontEnd& front_end();
    void* handle() const;        // HWND of the window
    void* control(Ctl id) const; // HWND of a control
    void* page(Page page) const; // HWND of a tab page
    void select_page(int index); // as a click on the tab does
    // The folder and lock this window answers folder queries for.
    void answer_folder_queries(std::string lock_name, std::string folder_identity);

    struct Impl; // the Win32 side, known to the window procedure only

  private:
    std::unique_ptr<Impl> impl_;
};

} // namespace ui
