// The window's controls on Win32, made from the layout table and reached
// through ControlView. A page's controls are made when the page is first
// shown; until then the view keeps what they are to show (the fields' texts,
// the states the rules gave, the job list it was last given). The header
// names no Win32 type: handles are void* (HWND, HFONT, HBITMAP).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "frontend/ui/control_view.h"
#include "frontend/ui/front_end.h"
#include "frontend/ui/layout.h"

namespace ui {

class WindowControls final : public ControlView {
  public:
    // The window (title, timers, system menu), and the fonts and picture
    // the controls use.
    void set_window(void* window) { window_ = window; }
    void set_look(void* tahoma, void* dialog_font, void* logo);

    // Makes the controls of one page (Page::none: the window's own) in
    // `parent`, showing what was given so far. The tab panel's pages are
    // made by the window.
    void make(Page page, void* parent);
    // A control's handle; nullptr while it is not made.
    void* handle(Ctl id) const;
    // While the program itself writes into controls, their notifications
    // are not user events.
    bool writing() const { return writing_ > 0; }
    // The text of an editable list's chosen item goes into its edit box.
    void take_chosen_item(Ctl id);
    // The control shows its field's text again (an editable list writes the
    // chosen item into its edit box after the notification).
    void reshow(Ctl id);
    // What the control holds now, as the text of its bound field: the text of
    // a field or editable list, the chosen item's text of a list bound to a
    // text, and the decimal state of a check box, list index or slider.
    std::string control_value(Ctl control);
    // Draws one line of the job list (a DRAWITEMSTRUCT).
    void draw_job_line(const void* item);

    // ControlView
    void enable(Ctl control, bool enabled) override;
    void show(Ctl control, bool shown) override;
    void set_caption(Ctl control, const std::string& text) override;
    void set_items(Ctl control, const std::vector<std::string>& items) override;
    void show_jobs(const commands::JobList& jobs, size_t first, int selected) override;
    void start_timer(Timer timer, int ms) override;
    void set_title(const std::string& text) override;
    void set_progress(std::optional<double> fraction) override;
    void show_field(const settings::FieldSpec& field, const std::string& text) override;

  private:
    void create(const ControlSpec& c, void* parent);
    void set_text(void* h, const std::string& text);
    void apply_text(Ctl id);

    std::map<Ctl, std::string> texts_; // each bound control's field, as a settings file writes it
    bool current_lines_ = false, direct_input_ = false; // the system menu's marks
    int jobs_at_once_ = 1;
    const commands::JobList* jobs_ = nullptr; // as last given to show_jobs
    int selected_ = -1;
    void* window_ = nullptr;
    void *tahoma_ = nullptr, *dialog_font_ = nullptr, *logo_ = nullptr;
    std::map<Ctl, void*> handles_;
    std::map<Ctl, bool> enabled_, shown_;
    std::map<Ctl, std::string> captions_;
    std::map<Ctl, std::vector<std::string>> items_;
    unsigned last_timer_ = 1; // timer 1 watches the scripts; the others lower them
    int jobs_width_ = 0;      // pixels of the job list's longest line
    int writing_ = 0;
    void* taskbar_ = nullptr; // ITaskbarList3, once made
    bool taskbar_tried_ = false;
};

// A window's text (GetWindowTextA, whole); `window` is an HWND.
std::string window_text(void* window);

// The Win32 values the window and its controls share.
constexpr unsigned current_lines_item = 0x0110; // "Lines for current x264" in the system menu
constexpr unsigned direct_input_item = 0x0120;  // "x264 opens the input itself"
constexpr unsigned watch_timer = 1;             // the timer that looks at the running scripts
// "Jobs at once" in the system menu: an item for each count from 1 to the
// processors (at most 64), each a command of its own (the low four bits of
// system commands are the system's).
constexpr int most_jobs_at_once = 64;
constexpr unsigned jobs_at_once_item(int count) {
    return 0x0200 + 0x10 * static_cast<unsigned>(count - 1);
}

// The FrontEnd's event for a control's notification code; none for those
// the handlers ignore.
Event event_of(Kind kind, unsigned short code);

} // namespace ui
