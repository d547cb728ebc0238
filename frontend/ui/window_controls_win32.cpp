// The window's controls on Win32: each kind of the layout table as a window
// class and style, their states, and what they show of the settings.
#include "frontend/ui/window_controls.h"

#include <windows.h>

#include <commctrl.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdlib>

namespace ui {

namespace {

HWND hwnd_of(void* h) {
    return static_cast<HWND>(h);
}

std::string item_text(HWND combo, LRESULT index) {
    LRESULT n = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
    if (n == CB_ERR) return {};
    std::string text(static_cast<size_t>(n) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return text;
}

// The last item whose text equals `text` exactly, or CB_ERR.
LRESULT last_item(HWND combo, const std::string& text) {
    LRESULT found = CB_ERR, n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i)
        if (item_text(combo, i) == text) found = i;
    return found;
}

// The window class and styles of each kind of control.
struct KindClass {
    const char* window_class;
    DWORD style, ex_style;
};
KindClass class_of(const ControlSpec& c) {
    const DWORD base = WS_CHILD | WS_VISIBLE, tab = WS_TABSTOP;
    switch (c.kind) {
    case Kind::button: return {WC_BUTTONA, base | tab | BS_PUSHBUTTON, 0};
    case Kind::check_box: return {WC_BUTTONA, base | tab | BS_AUTOCHECKBOX, 0};
    case Kind::group_frame: return {WC_BUTTONA, base | BS_GROUPBOX, 0};
    // A long caption is cut, not wrapped away.
    case Kind::caption: return {WC_STATICA, base | SS_LEFTNOWORDWRAP, 0};
    case Kind::image: return {WC_STATICA, base | SS_BITMAP, 0};
    case Kind::text_field:
        return {WC_EDITA, base | tab | ES_AUTOHSCROLL | ((c.entry & digits_only) ? ES_NUMBER : 0),
                WS_EX_CLIENTEDGE};
    case Kind::choice_list: return {WC_COMBOBOXA, base | tab | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case Kind::editable_choice_list:
        return {WC_COMBOBOXA, base | tab | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case Kind::slider: return {TRACKBAR_CLASSA, base | tab | TBS_HORZ | TBS_NOTICKS, 0};
    // The job list holds no copy of its lines: it knows how many there are
    // and draws those it shows from the job list itself, so a list of a
    // million lines shows at once.
    case Kind::list_box:
        return {WC_LISTBOXA,
                base | tab | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                    LBS_OWNERDRAWFIXED | LBS_NODATA,
                WS_EX_CLIENTEDGE};
    case Kind::tab_panel: return {WC_TABCONTROLA, base | tab | WS_CLIPSIBLINGS, 0};
    }
    return {WC_STATICA, base, 0};
}

} // namespace

std::string window_text(void* window) {
    HWND hwnd = hwnd_of(window);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

Event event_of(Kind kind, unsigned short code) {
    switch (kind) {
    case Kind::button:
    case Kind::check_box: return code == BN_CLICKED ? Event::changed : Event::none;
    case Kind::text_field:
        return code == EN_CHANGE      ? Event::changed
               : code == EN_KILLFOCUS ? Event::focus_lost
                                      : Event::none;
    case Kind::choice_list:
    case Kind::editable_choice_list:
        return code == CBN_SELCHANGE || code == CBN_EDITCHANGE ? Event::changed
               : code == CBN_KILLFOCUS                         ? Event::focus_lost
                                                               : Event::none;
    case Kind::list_box: return code == LBN_SELCHANGE ? Event::changed : Event::none;
    case Kind::slider: return Event::changed;
    default: return Event::none;
    }
}

void WindowControls::set_look(void* tahoma, void* dialog_font, void* logo) {
    tahoma_ = tahoma, dialog_font_ = dialog_font, logo_ = logo;
}

void* WindowControls::handle(Ctl id) const {
    auto it = handles_.find(id);
    return it == handles_.end() ? nullptr : it->second;
}

void WindowControls::create(const ControlSpec& c, void* parent) {
    KindClass kind = class_of(c);
    HWND h = CreateWindowExA(kind.ex_style, kind.window_class, initial_text(c).c_str(), kind.style,
                             c.rect.left, c.rect.top, c.rect.width, c.rect.height, hwnd_of(parent),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                             GetModuleHandleA(nullptr), nullptr);
    handles_[c.id] = h;
    SendMessageA(h, WM_SETFONT,
                 reinterpret_cast<WPARAM>(c.font == Font::tahoma ? tahoma_ : dialog_font_), FALSE);
    if (c.kind == Kind::image)
        SendMessageA(h, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_));
    if (c.kind == Kind::slider) {
        auto [low, high] = slider_range(c);
        SendMessageA(h, TBM_SETRANGE, FALSE, MAKELPARAM(low, high));
    }
    if (c.kind == Kind::text_field && (c.entry & three_characters))
        SendMessageA(h, EM_LIMITTEXT, 3, 0);
    if (c.kind == Kind::list_box) {
        // A line as high as its font's, as the list box of strings has it.
        HDC dc = GetDC(h);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(h, WM_GETFONT, 0, 0)));
        TEXTMETRICA tm = {};
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(h, dc);
        SendMessageA(h, LB_SETITEMHEIGHT, 0, MAKELPARAM(tm.tmHeight, 0));
    }
}

void WindowControls::draw_job_line(const void* item) {
    const auto* d = static_cast<const DRAWITEMSTRUCT*>(item);
    if (d->itemID == static_cast<UINT>(-1)) {
        if (d->itemState & ODS_FOCUS) DrawFocusRect(d->hDC, &d->rcItem);
        return;
    }
    // Drawn as the list box draws its strings: one pixel in, the selected
    // line in the highlight colours, the focus around it.
    const bool chosen = d->itemState & ODS_SELECTED;
    SetBkColor(d->hDC, GetSysColor(chosen ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(d->hDC, GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::string empty;
    const std::string& line = jobs_ && d->itemID < jobs_->size() ? (*jobs_)[d->itemID] : empty;
    ExtTextOutA(d->hDC, d->rcItem.left + 1, d->rcItem.top, ETO_OPAQUE | ETO_CLIPPED, &d->rcItem,
                line.c_str(), static_cast<UINT>(line.size()), nullptr);
    if (d->itemState & ODS_FOCUS) DrawFocusRect(d->hDC, &d->rcItem);
}

void WindowControls::make(Page page, void* parent) {
    ++writing_;
    for (const ControlSpec& c : layout())
        if (page_of(c.id) == page) create(c, parent);
    for (const ControlSpec& c : layout()) {
        if (page_of(c.id) != page || page == Page::none) continue;
        HWND h = hwnd_of(handle(c.id));
        if (items_.count(c.id)) set_items(c.id, items_[c.id]);
        apply_text(c.id);
        if (enabled_.count(c.id)) EnableWindow(h, enabled_[c.id]);
        if (shown_.count(c.id) && !shown_[c.id]) ShowWindow(h, SW_HIDE);
        if (captions_.count(c.id)) set_text(h, captions_[c.id]);
    }
    if (page == Page::job && jobs_) show_jobs(*jobs_, 0, selected_);
    --writing_;
}

void WindowControls::set_text(void* h, const std::string& text) {
    if (window_text(hwnd_of(h)) == text) return;
    ++writing_;
    SetWindowTextA(hwnd_of(h), text.c_str());
    --writing_;
}

void WindowControls::take_chosen_item(Ctl id) {
    HWND h = hwnd_of(handle(id));
    set_text(h, item_text(h, SendMessageA(h, CB_GETCURSEL, 0, 0)));
}

void WindowControls::enable(Ctl c, bool on) {
    enabled_[c] = on;
    if (void* h = handle(c)) EnableWindow(hwnd_of(h), on);
}

void WindowControls::show(Ctl c, bool on) {
    shown_[c] = on;
    if (void* h = handle(c)) ShowWindow(hwnd_of(h), on ? SW_SHOW : SW_HIDE);
}

void WindowControls::set_caption(Ctl c, const std::string& text) {
    captions_[c] = text;
    if (void* h = handle(c)) set_text(h, text);
}

void WindowControls::set_items(Ctl c, const std::vector<std::string>& list) {
    items_[c] = list;
    HWND h = hwnd_of(handle(c));
    if (!h) return;
    ++writing_;
    SendMessageA(h, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : list)
        SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    --writing_;
}

std::string WindowControls::control_value(Ctl c) {
    const ControlSpec& row = control_spec(c);
    HWND h = hwnd_of(handle(c));
    switch (row.kind) {
    case Kind::list_box: return std::to_string(SendMessageA(h, LB_GETCURSEL, 0, 0));
    case Kind::check_box: return SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0";
    case Kind::slider: return std::to_string(SendMessageA(h, TBM_GETPOS, 0, 0));
    case Kind::choice_list: {
        LRESULT i = SendMessageA(h, CB_GETCURSEL, 0, 0);
        if (bound_field(row)->kind == settings::Kind::index) return std::to_string(i);
        return i == CB_ERR ? std::string() : item_text(h, i);
    }
    default: return window_text(h);
    }
}

void WindowControls::show_field(const settings::FieldSpec& f, const std::string& text) {
    std::optional<Ctl> shown_by = control_of(f);
    if (!shown_by) { // a toolchain field: the check marks of the system menu
        if (f.key == std::string("x264cli")) current_lines_ = text == "current";
        if (f.key == std::string("x264input")) direct_input_ = text == "direct";
        if (f.key == std::string("jobsatonce")) jobs_at_once_ = std::atoi(text.c_str());
        HMENU menu = GetSystemMenu(hwnd_of(window_), FALSE);
        auto mark = [](bool on) { return MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED); };
        CheckMenuItem(menu, current_lines_item, mark(current_lines_));
        CheckMenuItem(menu, direct_input_item, mark(direct_input_));
        // The submenu's items beyond the processors are not there.
        for (int n = 1; n <= most_jobs_at_once; ++n)
            CheckMenuItem(menu, jobs_at_once_item(n), mark(n == jobs_at_once_));
        return;
    }
    texts_[*shown_by] = text;
    apply_text(*shown_by);
}

void WindowControls::reshow(Ctl id) {
    apply_text(id);
}

void WindowControls::apply_text(Ctl id) {
    HWND h = hwnd_of(handle(id));
    auto it = texts_.find(id);
    if (!h || it == texts_.end()) return; // its page shows the field when it is made
    const std::string& value = it->second;
    const ControlSpec& row = control_spec(id);
    ++writing_;
    switch (row.kind) {
    case Kind::check_box:
        SendMessageA(h, BM_SETCHECK, value == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case Kind::slider: SendMessageA(h, TBM_SETPOS, TRUE, std::atoi(value.c_str())); break;
    case Kind::choice_list:
        if (bound_field(row)->kind == settings::Kind::index)
            SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(std::atoi(value.c_str())), 0);
        else
            SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(last_item(h, value)), 0);
        break;
    case Kind::editable_choice_list: {
        // The item of that text when there is one, else the text itself.
        LRESULT i = last_item(h, value);
        SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        if (i == CB_ERR) set_text(h, value);
        break;
    }
    default: set_text(h, value);
    }
    --writing_;
}

void WindowControls::show_jobs(const commands::JobList& jobs, size_t first, int selected) {
    jobs_ = &jobs;
    selected_ = selected;
    HWND list = hwnd_of(handle(Ctl::job_list));
    if (!list) return; // the page shows them when it is made
    ++writing_;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    SendMessageA(list, LB_SETCOUNT, static_cast<WPARAM>(jobs.size()), 0);
    // The list scrolls sideways to its longest line: the lines from `first`
    // on whose length comes near the longest are measured.
    if (first == 0) jobs_width_ = 0;
    size_t longest = 0;
    for (size_t i = first; i < jobs.size(); ++i) longest = std::max(longest, jobs[i].size());
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    int measured = 0;
    for (size_t i = first; i < jobs.size() && measured < 256; ++i) {
        if (jobs[i].size() * 4 < longest * 3) continue;
        SIZE size = {};
        GetTextExtentPoint32A(dc, jobs[i].c_str(), static_cast<int>(jobs[i].size()), &size);
        if (size.cx > jobs_width_) jobs_width_ = size.cx;
        ++measured;
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(jobs_width_ + 8), 0);
    SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    --writing_;
}

void WindowControls::start_timer(Timer timer, int ms) {
    UINT_PTR id = timer == Timer::watch_scripts ? watch_timer : ++last_timer_;
    SetTimer(hwnd_of(window_), id, static_cast<UINT>(ms), nullptr);
}

void WindowControls::set_title(const std::string& text) {
    SetWindowTextA(hwnd_of(window_), text.c_str());
}

void WindowControls::set_progress(std::optional<double> fraction) {
    // The taskbar's list, made when first needed; where the system has none
    // (before Windows 7), nothing is shown.
    if (!taskbar_tried_) {
        taskbar_tried_ = true;
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ITaskbarList3* list = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_ITaskbarList3, reinterpret_cast<void**>(&list))) &&
            SUCCEEDED(list->HrInit()))
            taskbar_ = list;
        else if (list)
            list->Release();
    }
    auto* list = static_cast<ITaskbarList3*>(taskbar_);
    if (!list) return;
    HWND w = hwnd_of(window_);
    if (!fraction) {
        list->SetProgressState(w, TBPF_NOPROGRESS);
        return;
    }
    list->SetProgressState(w, TBPF_NORMAL);
    list->SetProgressValue(w, static_cast<ULONGLONG>(*fraction * 1000), 1000);
}

} // namespace ui
