// The configuration dialog on the Windows dialog manager: template 103, a
// dialog procedure that forwards each event to ConfigDialog, and the
// controls reached through SendDlgItemMessageA.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "plugin/config_dialog.h"
#include "plugin/plugin_abi.h"
#include "plugin/plugin_os.h"

namespace levo {

extern PluginSettings settings;
extern PluginState state;

namespace {

constexpr int template_id = 103;
constexpr UINT_PTR slow_timer = 0, fast_timer = 1;

class Win32Controls final : public DialogControls {
  public:
    explicit Win32Controls(HWND dialog) : dlg_(dialog) {}
    void set_check(int id, bool c) override {
        SendDlgItemMessageA(dlg_, id, BM_SETCHECK, c ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void set_range(int id, int lo, int hi) override {
        SendDlgItemMessageA(dlg_, id, TBM_SETRANGE, TRUE, MAKELPARAM(lo, hi));
    }
    void set_position(int id, int p) override {
        SendDlgItemMessageA(dlg_, id, TBM_SETPOS, TRUE, p);
    }
    int position(int id) override {
        return static_cast<int>(SendDlgItemMessageA(dlg_, id, TBM_GETPOS, 0, 0));
    }
    void set_text(int id, const std::string& t) override {
        // The timer sets the same texts 20 times a second: only a change repaints.
        char current[256];
        if (GetDlgItemTextA(dlg_, id, current, sizeof current) <
                static_cast<int>(sizeof current) - 1 &&
            t == current)
            return;
        SendDlgItemMessageA(dlg_, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.c_str()));
    }
    void enable(int id, bool e) override { EnableWindow(GetDlgItem(dlg_, id), e); }
    void move_to(int x, int y) override {
        RECT r;
        GetWindowRect(dlg_, &r);
        MoveWindow(dlg_, x, y, r.right - r.left, r.bottom - r.top, TRUE);
    }

  private:
    HWND dlg_;
};

// One dialog per loaded plug-in.
std::unique_ptr<Win32Controls> controls;
std::unique_ptr<ConfigDialog> dialog;

INT_PTR CALLBACK dialog_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        controls = std::make_unique<Win32Controls>(hwnd);
        dialog = std::make_unique<ConfigDialog>(settings, state, *controls);
        SetTimer(hwnd, slow_timer, 50, nullptr);
        SetTimer(hwnd, fast_timer, 25, nullptr);
        dialog->initialise();
        return TRUE;
    case WM_TIMER:
        if (!dialog) return FALSE;
        if (wparam == fast_timer)
            dialog->fast_tick();
        else
            dialog->slow_tick();
        return TRUE;
    case WM_COMMAND:
        if (dialog) dialog->command(LOWORD(wparam));
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (dialog && lparam) dialog->slider_moved(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)));
        return TRUE;
    case WM_CLOSE: ShowWindow(hwnd, SW_HIDE); return TRUE;
    case WM_DESTROY:
        KillTimer(hwnd, slow_timer);
        KillTimer(hwnd, fast_timer);
        dialog.reset();
        controls.reset();
        return FALSE;
    }
    return FALSE;
}

} // namespace

namespace os {

void* create_dialog(PluginModule* module) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HWND hwnd =
        CreateDialogParamA(static_cast<HINSTANCE>(module->instance), MAKEINTRESOURCEA(template_id),
                           static_cast<HWND>(module->parentWindow), dialog_procedure, 0);
    if (hwnd) ShowWindow(hwnd, SW_HIDE);
    return hwnd;
}

} // namespace os
} // namespace levo
