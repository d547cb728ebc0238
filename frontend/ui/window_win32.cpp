// The main window on Win32: the window itself, the tab panel with a child
// window for each page (shown only while its tab is selected; the first one
// made with the window, the others when first shown), the event loop and the
// keyboard focus. Its controls are window_controls_win32.cpp, the standard
// dialogs standard_dialogs_win32.cpp. Notifications become FrontEnd events.
#include "frontend/ui/window.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>

#include "frontend/ui/layout.h"
#include "frontend/ui/standard_dialogs.h"
#include "frontend/ui/window_controls.h"

namespace ui {

namespace {

const char main_class[] = "QuorbelWindow";
const char page_class[] = "QuorbelPage";
// Posted after a choice in an editable list: the list writes the chosen
// item into its edit box after the notification, so the field is shown again.
constexpr UINT rewrite_message = WM_APP + 1;
// The start-up's rest, which the first paint does not need, runs on a timer
// set when the loop begins: timer messages come only when nothing else waits
// (the first paint done, the window idle), and before the user can act.
constexpr UINT_PTR finish_start_timer = 0xF1;

} // namespace

const char* const window_class = main_class;

struct Window::Impl {
    Impl(Services services, std::string folder, Dialogs* dialogs)
        : app(services, controls, dialogs ? *dialogs : standard, std::move(folder)) {}

    StandardDialogs standard;
    WindowControls controls;
    FrontEnd app;
    HWND hwnd = nullptr, tabs = nullptr;
    HWND pages[page_count] = {};
    bool made[page_count] = {};
    HFONT tahoma = nullptr;
    HWND last_focus = nullptr;
    std::string lock_name, folder_identity;

    HWND at(Ctl id) const { return static_cast<HWND>(controls.handle(id)); }
    void build(void* logo);
    RECT page_area = {};
    void make_tabs();
    void make_page(int index);
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
    case WM_NOTIFY:
    case WM_DRAWITEM: return SendMessageA(GetParent(hwnd), message, wparam, lparam);
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

// The tab panel's tabs, and the area its pages fill.
void Window::Impl::make_tabs() {
    tabs = at(Ctl::tabs);
    // A narrower padding than the default keeps all five tabs in one row.
    SendMessageA(tabs, TCM_SETPADDING, 0, MAKELPARAM(4, 3));
    for (int i = 0; i < page_count; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(tab_names[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    const Rect& panel = control_spec(Ctl::tabs).rect;
    page_area = {panel.left, panel.top, panel.left + panel.width, panel.top + panel.height};
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page_area));
}

// A page fills the panel's display area, above the panel itself. It is
// hidden while its controls are made.
void Window::Impl::make_page(int index) {
    if (made[index]) return;
    made[index] = true;
    const RECT& a = page_area;
    pages[index] = CreateWindowExA(WS_EX_CONTROLPARENT, page_class, "", WS_CHILD | WS_CLIPSIBLINGS,
                                   a.left, a.top, a.right - a.left, a.bottom - a.top, hwnd, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(pages[index], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    controls.make(static_cast<Page>(index), pages[index]);
}

void Window::Impl::build(void* logo) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    register_classes(instance);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    // Files dropped anywhere on the window come to it (its controls do not
    // take them themselves).
    const DWORD ex_style = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;
    RECT outer = {0, 0, client_width, client_height};
    AdjustWindowRectEx(&outer, style, FALSE, ex_style);
    hwnd =
        CreateWindowExA(ex_style, main_class, window_title, style, 0, 0, outer.right - outer.left,
                        outer.bottom - outer.top, nullptr, nullptr, instance, this);
    standard.set_owner(hwnd);
    controls.set_window(hwnd);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);

    HDC screen = GetDC(nullptr);
    int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    tahoma = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
    controls.set_look(tahoma, GetStockObject(DEFAULT_GUI_FONT), logo);
    controls.make(Page::none, hwnd);
    make_tabs();
    make_page(0);
    ShowWindow(pages[0], SW_SHOW);
    last_focus = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    HMENU system = GetSystemMenu(hwnd, FALSE);
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(system, MF_STRING, current_lines_item, "Lines for current x264");
    AppendMenuA(system, MF_STRING, direct_input_item, "x264 opens the input itself");
    HMENU counts = CreatePopupMenu();
    const int most =
        std::min<int>(most_jobs_at_once, static_cast<int>(app.services.os.processors()));
    for (int n = 1; n <= most; ++n)
        AppendMenuA(counts, MF_STRING, jobs_at_once_item(n), std::to_string(n).c_str());
    AppendMenuA(system, MF_POPUP, reinterpret_cast<UINT_PTR>(counts), "Jobs at once");
}

void Window::Impl::show_page(int index) {
    make_page(index);
    for (int i = 0; i < page_count; ++i)
        if (i != index && pages[i]) ShowWindow(pages[i], SW_HIDE);
    ShowWindow(pages[index], SW_SHOW);
}

void Window::Impl::notify(Ctl id, Kind kind, WORD code) {
    if (controls.writing()) return;
    Event event = event_of(kind, code);
    if (event == Event::none) return;
    if (kind == Kind::editable_choice_list && code == CBN_SELCHANGE) {
        // The edit box still shows the old text: take the chosen item's.
        controls.take_chosen_item(id);
        PostMessageA(hwnd, rewrite_message, static_cast<WPARAM>(id), 0);
    }
    app.on_event(id, event, controls.control_value(id));
    // A close request from a control sent by another thread or process
    // must wake the loop, which waits for posted messages only.
    if (app.closing()) PostMessageA(hwnd, WM_NULL, 0, 0);
}

LRESULT Window::Impl::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND: {
        Ctl id = static_cast<Ctl>(LOWORD(wparam));
        if (lparam && controls.handle(id) == reinterpret_cast<void*>(lparam))
            notify(id, control_spec(id).kind, HIWORD(wparam));
        return 0;
    }
    case WM_HSCROLL:
        if (lparam) {
            Ctl id = static_cast<Ctl>(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)));
            if (controls.handle(id) == reinterpret_cast<void*>(lparam)) notify(id, Kind::slider, 0);
        }
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lparam);
        if (header->hwndFrom == tabs && header->code == TCN_SELCHANGE)
            show_page(static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)));
        return 0;
    }
    case WM_DRAWITEM:
        if (wparam == static_cast<WPARAM>(Ctl::job_list)) {
            controls.draw_job_line(reinterpret_cast<const void*>(lparam));
            return TRUE;
        }
        return FALSE;
    case WM_TIMER:
        KillTimer(hwnd, wparam);
        if (wparam == finish_start_timer)
            app.finish_start();
        else
            app.on_timer(wparam == watch_timer ? Timer::watch_scripts : Timer::lower_priority);
        return 0;
    case rewrite_message: controls.reshow(static_cast<Ctl>(wparam)); return 0;
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
        for (int n = 1; n <= most_jobs_at_once; ++n)
            if ((wparam & 0xFFF0) == jobs_at_once_item(n)) {
                app.set_jobs_at_once(n);
                return 0;
            }
        break;
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wparam);
        std::vector<std::string> paths;
        UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            std::string path(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
            path.resize(DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size())));
            paths.push_back(path);
        }
        DragFinish(drop);
        app.files_dropped(paths);
        return 0;
    }
    case WM_COPYDATA: {
        auto* data = reinterpret_cast<COPYDATASTRUCT*>(lparam);
        if (!data || data->dwData != folder_query || lock_name.empty()) return unrelated;
        std::string asked(static_cast<const char*>(data->lpData), data->cbData);
        size_t line = asked.find('\n');
        if (line == std::string::npos) return unrelated;
        if (asked.substr(line + 1) == folder_identity) return same_folder;
        return asked.substr(0, line) == lock_name ? same_lock_other_folder : unrelated;
    }
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
    impl_->build(logo);
}

void Window::run() {
    SetTimer(impl_->hwnd, finish_start_timer, USER_TIMER_MINIMUM, nullptr);
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
    if (page != Page::none) impl_->make_page(static_cast<int>(page));
    return impl_->at(id);
}

void* Window::page(Page p) const {
    impl_->make_page(static_cast<int>(p));
    return impl_->pages[static_cast<int>(p)];
}

void Window::answer_folder_queries(std::string lock_name, std::string folder_identity) {
    impl_->lock_name = std::move(lock_name);
    impl_->folder_identity = std::move(folder_identity);
}

void Window::select_page(int index) {
    SendMessageA(impl_->tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    impl_->show_page(index);
}

} // namespace ui
