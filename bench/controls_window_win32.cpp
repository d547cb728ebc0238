// A second yardstick for the window's start-up time: the window with the
// controls of its first page as the layout table gives them (the tab panel,
// the buttons below it, the captions, fields, lists and the logo's place),
// made with the same classes and styles, but no settings, no files and no
// logic. What quorbel.exe takes beyond it is its own work.
#include <windows.h>

#include <commctrl.h>

#include "frontend/ui/layout.h"

namespace {

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

const char* class_of(ui::Kind kind, DWORD& style) {
    style = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case ui::Kind::button: return WC_BUTTONA;
    case ui::Kind::check_box: style |= BS_AUTOCHECKBOX; return WC_BUTTONA;
    case ui::Kind::group_frame: style |= BS_GROUPBOX; return WC_BUTTONA;
    case ui::Kind::caption: return WC_STATICA;
    case ui::Kind::image: style |= SS_BITMAP; return WC_STATICA;
    case ui::Kind::text_field: style |= ES_AUTOHSCROLL | WS_BORDER; return WC_EDITA;
    case ui::Kind::choice_list: style |= CBS_DROPDOWNLIST | WS_VSCROLL; return WC_COMBOBOXA;
    case ui::Kind::editable_choice_list: style |= CBS_DROPDOWN | WS_VSCROLL; return WC_COMBOBOXA;
    case ui::Kind::slider: return TRACKBAR_CLASSA;
    case ui::Kind::list_box: style |= WS_VSCROLL | LBS_NOTIFY; return WC_LISTBOXA;
    case ui::Kind::tab_panel: return WC_TABCONTROLA;
    }
    return WC_STATICA;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ControlsWindow";
    RegisterClassA(&wc);
    RECT outer = {0, 0, ui::client_width, ui::client_height};
    AdjustWindowRect(&outer, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE);
    HWND hwnd = CreateWindowA("ControlsWindow", "controls", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                              0, 0, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                              nullptr, instance, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    HFONT font =
        CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    for (const ui::ControlSpec& c : ui::layout()) {
        ui::Page page = ui::page_of(c.id);
        if (page != ui::Page::none && page != ui::Page::bitrate) continue;
        DWORD style = 0;
        const char* cls = class_of(c.kind, style);
        HWND h = CreateWindowExA(0, cls, c.text ? c.text : "", style, c.rect.left,
                                 c.rect.top + (page == ui::Page::none ? 0 : 22), c.rect.width,
                                 c.rect.height, hwnd, nullptr, instance, nullptr);
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
