// The main window on Win32. Controls are created by walking the layout
// table; each tab page is a child window holding its controls, shown only
// while its tab is selected. The first page is built with the window, the
// others when they are first shown: until then the settings and the states
// the rules gave keep what their controls are to show. Notifications become
// FrontEnd events, and the FrontEnd's decisions come back through the
// ControlView below. The standard dialogs are standard_dialogs_win32.cpp.
#include "frontend/ui/window.h"

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <vector>

#include "frontend/ui/layout.h"
#include "frontend/ui/standard_dialogs.h"

namespace ui {

namespace {

const char main_class[] = "QuorbelWindow";
const char page_class[] = "QuorbelPage";
// Posted after a choice in an editable list: the list writes the chosen
// item into its edit box after the notification, so the field is shown again.
constexpr UINT rewrite_message = WM_APP + 1;
// The system menu's items "Lines for current x264" and "x264 opens the input
// itself" (below 0xF000, multiples of 16).
constexpr UINT current_lines_item = 0x0110;
constexpr UINT direct_input_item = 0x0120;
// The watch timer has an id of its own; each lowering timer a new one.
constexpr UINT_PTR watch_timer = 1;

std::string window_text(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
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

// The window class and style of each kind of control.
struct KindClass {
    const char* window_class;
    DWORD style;
    DWORD ex_style;
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
    case Kind::list_box:
        return {WC_LISTBOXA,
                base | tab | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE};
    case Kind::tab_panel: return {WC_TABCONTROLA, base | tab | WS_CLIPSIBLINGS, 0};
    }
    return {WC_STATICA, base, 0};
}

// The FrontEnd's event for a notification; none for those the handlers ignore.
Event event_of(Kind kind, WORD code) {
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
    default: return Event::none;
    }
}

} // namespace

struct Window::Impl final : ControlView {
    Impl(Services services, std::string folder, Dialogs* dialogs)
        : app(services, *this, dialogs ? *dialogs : standard, std::move(folder)) {}

    StandardDialogs standard;
    FrontEnd app;
    HWND hwnd = nullptr, tabs = nullptr;
    HWND pages[page_count] = {};
    bool built[page_count] = {};
    HFONT tahoma = nullptr, dialog_font = nullptr;
    void* logo = nullptr;
    std::map<int, HWND> controls;
    // What the controls of pages not built yet are to show once built.
    std::map<Ctl, bool> enabled, shown;
    std::map<Ctl, std::string> captions;
    std::map<Ctl, std::vector<std::string>> items;
    HWND last_focus = nullptr;
    UINT_PTR last_timer = watch_timer;
    int jobs_width = 0; // pixels of the job list's longest line
    // While the program itself writes into controls, their notifications
    // are not user events.
    int writing = 0;

    HWND at(Ctl id) const {
        auto it = controls.find(static_cast<int>(id));
        return it == controls.end() ? nullptr : it->second;
    }

    // --- ControlView ---
    void enable(Ctl c, bool on) override {
        enabled[c] = on;
        if (HWND h = at(c)) EnableWindow(h, on);
    }
    void show(Ctl c, bool on) override {
        shown[c] = on;
        if (HWND h = at(c)) ShowWindow(h, on ? SW_SHOW : SW_HIDE);
    }
    void set_caption(Ctl c, const std::string& text) override {
        captions[c] = text;
        if (HWND h = at(c)) set_text(h, text);
    }
    void set_items(Ctl c, const std::vector<std::string>& list) override {
        items[c] = list;
        HWND h = at(c);
        if (!h) return;
        ++writing;
        SendMessageA(h, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : list)
            SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        --writing;
    }
    std::string control_value(Ctl c) override;
    void field_changed(const settings::FieldSpec& f) override;
    void show_jobs(const commands::JobList& jobs, size_t first, int selected) override;
    void start_timer(Timer timer, int ms) override {
        UINT_PTR id = timer == Timer::watch_scripts ? watch_timer : ++last_timer;
        SetTimer(hwnd, id, static_cast<UINT>(ms), nullptr);
    }
    void set_title(const std::string& text) override { SetWindowTextA(hwnd, text.c_str()); }

    void set_text(HWND h, const std::string& text) {
        if (window_text(h) == text) return;
        ++writing;
        SetWindowTextA(h, text.c_str());
        --writing;
    }
    void build();
    void build_page(int index);
    void create_control(const ControlSpec& c);
    void show_page(int index);
    void restore_focus() {
        if (!last_focus || !IsWindowVisible(last_focus) || !IsWindowEnabled(last_focus))
            last_focus = GetNextDlgTabItem(hwnd, nullptr, FALSE);
        if (last_focus) SetFocus(last_focus);
    }
    void notify(Ctl id, Kind kind, WORD code);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    bool pre_translate(MSG& msg);
};

std::string Window::Impl::control_value(Ctl c) {
    const ControlSpec& row = control_spec(c);
    HWND h = at(c);
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

void Window::Impl::field_changed(const settings::FieldSpec& f) {
    std::optional<Ctl> shown_by = control_of(f);
    if (!shown_by) { // a toolchain field: the check marks of the system menu
        HMENU menu = GetSystemMenu(hwnd, FALSE);
        auto mark = [](bool on) { return MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED); };
        CheckMenuItem(menu, current_lines_item, mark(settings::current_x264(app.settings)));
        CheckMenuItem(menu, direct_input_item, mark(settings::direct_input(app.settings)));
        return;
    }
    HWND h = at(*shown_by);
    if (!h) return; // its page shows the field when it is built
    const ControlSpec& row = control_spec(*shown_by);
    std::string value = settings::field_text(app.settings, f);
    ++writing;
    switch (row.kind) {
    case Kind::check_box:
        SendMessageA(h, BM_SETCHECK, value == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case Kind::slider: SendMessageA(h, TBM_SETPOS, TRUE, app.settings.*f.number); break;
    case Kind::choice_list:
        if (f.kind == settings::Kind::index)
            SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(app.settings.*f.number), 0);
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
    --writing;
}

void Window::Impl::show_jobs(const commands::JobList& jobs, size_t first, int selected) {
    HWND list = at(Ctl::job_list);
    if (!list) return; // the page shows them when it is built
    ++writing;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0); n > static_cast<LRESULT>(first); --n)
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(n - 1), 0);
    for (size_t i = first; i < jobs.size(); ++i)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(jobs[i].c_str()));
    // The list scrolls sideways to its longest line.
    if (first == 0) jobs_width = 0;
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    for (size_t i = first; i < jobs.size(); ++i) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, jobs[i].c_str(), static_cast<int>(jobs[i].size()), &size);
        if (size.cx > jobs_width) jobs_width = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(jobs_width + 8), 0);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    --writing;
}

namespace {

LRESULT CALLBACK main_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams));
    auto* impl = reinterpret_cast<Window::Impl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (impl && impl->hwnd == hwnd) return impl->handle(message, wparam, lparam);
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// A page passes its controls' notifications on to the window.
LRESULT CALLBACK page_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_NOTIFY: return SendMessageA(GetParent(hwnd), message, wparam, lparam);
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

void register_classes(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = main_procedure;
    wc.lpszClassName = main_class;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    RegisterClassExA(&wc);
    wc.lpfnWndProc = page_procedure;
    wc.lpszClassName = page_class;
    wc.hIcon = nullptr;
    RegisterClassExA(&wc);
}

} // namespace

void Window::Impl::create_control(const ControlSpec& c) {
    Page page = page_of(c.id);
    HWND parent = page == Page::none ? hwnd : pages[static_cast<int>(page)];
    KindClass kind = class_of(c);
    HWND h = CreateWindowExA(kind.ex_style, kind.window_class, initial_text(c).c_str(), kind.style,
                             c.rect.left, c.rect.top, c.rect.width, c.rect.height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                             GetModuleHandleA(nullptr), nullptr);
    controls[static_cast<int>(c.id)] = h;
    SendMessageA(h, WM_SETFONT,
                 reinterpret_cast<WPARAM>(c.font == Font::tahoma ? tahoma : dialog_font), FALSE);
    if (c.kind == Kind::image)
        SendMessageA(h, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo));
    if (c.kind == Kind::slider) {
        auto [low, high] = slider_range(c);
        SendMessageA(h, TBM_SETRANGE, FALSE, MAKELPARAM(low, high));
    }
    if (c.kind == Kind::text_field && (c.entry & three_characters))
        SendMessageA(h, EM_LIMITTEXT, 3, 0);
    if (c.kind != Kind::tab_panel) return;
    tabs = h;
    // A narrower padding than the default keeps all five tabs in one row.
    SendMessageA(h, TCM_SETPADDING, 0, MAKELPARAM(4, 3));
    for (int i = 0; i < page_count; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(tab_names[i]);
        SendMessageA(h, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    // The pages fill the panel's display area, above the panel itself.
    RECT area = {c.rect.left, c.rect.top, c.rect.left + c.rect.width, c.rect.top + c.rect.height};
    SendMessageA(h, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (int i = 0; i < page_count; ++i) {
        pages[i] =
            CreateWindowExA(WS_EX_CONTROLPARENT, page_class, "",
                            WS_CHILD | WS_CLIPSIBLINGS | (i == 0 ? WS_VISIBLE : 0), area.left,
                            area.top, area.right - area.left, area.bottom - area.top, hwnd, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
        SetWindowPos(pages[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

// A page's controls, showing the settings and the states the rules gave them.
void Window::Impl::build_page(int index) {
    if (built[index]) return;
    built[index] = true;
    ++writing;
    for (const ControlSpec& c : layout())
        if (static_cast<int>(page_of(c.id)) == index) create_control(c);
    for (const ControlSpec& c : layout()) {
        if (static_cast<int>(page_of(c.id)) != index) continue;
        if (items.count(c.id)) set_items(c.id, items[c.id]);
        if (const settings::FieldSpec* f = bound_field(c)) field_changed(*f);
        if (enabled.count(c.id)) EnableWindow(at(c.id), enabled[c.id]);
        if (shown.count(c.id) && !shown[c.id]) ShowWindow(at(c.id), SW_HIDE);
        if (captions.count(c.id)) set_text(at(c.id), captions[c.id]);
    }
    if (index == static_cast<int>(Page::job)) show_jobs(app.jobs, 0, app.selected);
    --writing;
}

void Window::Impl::build() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    register_classes(instance);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD ex_style = WS_EX_CONTROLPARENT;
    RECT outer = {0, 0, client_width, client_height};
    AdjustWindowRectEx(&outer, style, FALSE, ex_style);
    hwnd =
        CreateWindowExA(ex_style, main_class, window_title, style, 0, 0, outer.right - outer.left,
                        outer.bottom - outer.top, nullptr, nullptr, instance, this);
    standard.set_owner(hwnd);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);

    HDC screen = GetDC(nullptr);
    int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    tahoma = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
    dialog_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlSpec& c : layout())
        if (page_of(c.id) == Page::none) create_control(c);
    build_page(0);
    last_focus = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    HMENU system = GetSystemMenu(hwnd, FALSE);
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(system, MF_STRING, current_lines_item, "Lines for current x264");
    AppendMenuA(system, MF_STRING, direct_input_item, "x264 opens the input itself");
}

void Window::Impl::show_page(int index) {
    build_page(index);
    for (int i = 0; i < page_count; ++i)
        if (i != index) ShowWindow(pages[i], SW_HIDE);
    ShowWindow(pages[index], SW_SHOW);
}

void Window::Impl::notify(Ctl id, Kind kind, WORD code) {
    if (writing) return;
    Event event = kind == Kind::slider ? Event::changed : event_of(kind, code);
    if (event == Event::none) return;
    if (kind == Kind::editable_choice_list && code == CBN_SELCHANGE) {
        // The edit box still shows the old text: take the chosen item's.
        HWND h = at(id);
        set_text(h, item_text(h, SendMessageA(h, CB_GETCURSEL, 0, 0)));
        PostMessageA(hwnd, rewrite_message, static_cast<WPARAM>(id), 0);
    }
    app.on_event(id, event);
    // A close request from a control sent by another thread or process
    // must wake the loop, which waits for posted messages only.
    if (app.closing()) PostMessageA(hwnd, WM_NULL, 0, 0);
}

LRESULT Window::Impl::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND: {
        auto it = controls.find(LOWORD(wparam));
        if (lparam && it != controls.end() && it->second == reinterpret_cast<HWND>(lparam))
            notify(static_cast<Ctl>(LOWORD(wparam)),
                   control_spec(static_cast<Ctl>(LOWORD(wparam))).kind, HIWORD(wparam));
        return 0;
    }
    case WM_HSCROLL:
        if (lparam) {
            int id = GetDlgCtrlID(reinterpret_cast<HWND>(lparam));
            if (controls.count(id)) notify(static_cast<Ctl>(id), Kind::slider, 0);
        }
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lparam);
        if (header->hwndFrom == tabs && header->code == TCN_SELCHANGE)
            show_page(static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)));
        return 0;
    }
    case WM_TIMER:
        KillTimer(hwnd, wparam);
        app.on_timer(wparam == watch_timer ? Timer::watch_scripts : Timer::lower_priority);
        return 0;
    case rewrite_message:
        field_changed(*bound_field(control_spec(static_cast<Ctl>(wparam))));
        return 0;
    case WM_ACTIVATE:
        // The control that had the focus gets it back when the window does.
        if (LOWORD(wparam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd, focus)) last_focus = focus;
        } else {
            restore_focus();
        }
        return 0;
    case WM_SETFOCUS: restore_focus(); return 0;
    case WM_SYSCOMMAND:
        if ((wparam & 0xFFF0) == current_lines_item) {
            app.toggle_x264_dialect();
            return 0;
        }
        if ((wparam & 0xFFF0) == direct_input_item) {
            app.toggle_x264_input();
            return 0;
        }
        break;
    case WM_CLOSE:
        app.close_box();
        PostMessageA(hwnd, WM_NULL, 0, 0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// Keys the window handles before the dialog manager: Ctrl+Tab and
// Ctrl+Shift+Tab change pages; everything else is dialog navigation.
bool Window::Impl::pre_translate(MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        int n = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
        n = (n + (GetKeyState(VK_SHIFT) < 0 ? page_count - 1 : 1)) % page_count;
        SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(n), 0);
        show_page(n);
        SetFocus(tabs);
        return true;
    }
    return IsDialogMessageA(hwnd, &msg) != 0;
}

Window::Window(Services services, std::string program_folder, Dialogs* dialogs)
    : impl_(std::make_unique<Impl>(services, std::move(program_folder), dialogs)) {}

Window::~Window() {
    if (impl_->hwnd && IsWindow(impl_->hwnd)) DestroyWindow(impl_->hwnd);
    if (impl_->tahoma) DeleteObject(impl_->tahoma);
}

void Window::create(void* logo) {
    impl_->logo = logo;
    impl_->build();
}

void Window::run() {
    MSG msg;
    while (!impl_->app.closing() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (impl_->pre_translate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(impl_->hwnd);
    impl_->hwnd = nullptr;
    impl_->standard.set_owner(nullptr);
}

FrontEnd& Window::front_end() {
    return impl_->app;
}

void* Window::handle() const {
    return impl_->hwnd;
}

void* Window::control(Ctl id) const {
    Page page = page_of(id);
    if (page != Page::none) impl_->build_page(static_cast<int>(page));
    return impl_->at(id);
}

void* Window::page(Page p) const {
    return impl_->pages[static_cast<int>(p)];
}

void Window::select_page(int index) {
    SendMessageA(impl_->tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    impl_->show_page(index);
}

} // namespace ui
