// The standard dialogs on Win32: GetOpenFileNameA and GetSaveFileNameA (also
// with multiple selection), SHBrowseForFolderA, MessageBoxA, and the text
// input box of the resources.
#include "frontend/ui/standard_dialogs.h"

#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include "frontend/ui/resource_ids.h"
#include "frontend/ui/window_controls.h"

namespace ui {

namespace {

HWND owner_of(void* window) {
    return static_cast<HWND>(window);
}

// The file and folder dialogs need COM on their thread. It is initialised
// the first time one is shown (the program's start needs none of it), and
// stays for the life of the thread.
void com_for_dialogs() {
    static const HRESULT ready = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)ready;
}

// "a|b|c|d" as the double-NUL-ended list the file dialogs take.
std::string filter_list(const std::string& filters) {
    std::string list = filters;
    for (char& c : list)
        if (c == '|') c = '\0';
    return list + std::string(2, '\0');
}

// One file dialog; the buffer keeps what it returned (several names after a
// multiple selection).
std::optional<std::string> file_dialog(void* owner, const FileQuery& q, bool save, bool multi,
                                       std::string& buffer) {
    buffer.assign(multi ? 1 << 20 : MAX_PATH * 4, '\0');
    buffer.replace(0, q.default_file.size(), q.default_file);
    std::string filters = filter_list(q.filters);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_of(owner);
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(q.first_filter);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = q.title.empty() ? nullptr : q.title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | (multi ? OFN_ALLOWMULTISELECT : 0);
    com_for_dialogs();
    BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok || !buffer[0]) return std::nullopt;
    return std::string(buffer.c_str());
}

// What the text input box shows, and the text it returns.
struct InputBoxRequest {
    const std::string& title;
    const std::string& prompt;
    std::string& text;
};

INT_PTR CALLBACK input_procedure(HWND dlg, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* request = reinterpret_cast<InputBoxRequest*>(lparam);
        SetWindowLongPtrA(dlg, DWLP_USER, lparam);
        SetWindowTextA(dlg, request->title.c_str());
        SetDlgItemTextA(dlg, QUORBEL_INPUT_PROMPT, request->prompt.c_str());
        SetDlgItemTextA(dlg, QUORBEL_INPUT_TEXT, request->text.c_str());
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            auto* request = reinterpret_cast<InputBoxRequest*>(GetWindowLongPtrA(dlg, DWLP_USER));
            request->text = window_text(GetDlgItem(dlg, QUORBEL_INPUT_TEXT));
            EndDialog(dlg, IDOK);
        } else if (LOWORD(wparam) == IDCANCEL) {
            EndDialog(dlg, IDCANCEL);
        }
        return TRUE;
    case WM_CLOSE: EndDialog(dlg, IDCANCEL); return TRUE;
    }
    return FALSE;
}

int CALLBACK folder_start(HWND hwnd, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED) SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, start);
    return 0;
}

} // namespace

std::optional<std::string> StandardDialogs::open_file(const FileQuery& q) {
    std::string buffer;
    return file_dialog(owner_, q, false, false, buffer);
}

std::optional<std::string> StandardDialogs::save_file(const FileQuery& q) {
    std::string buffer;
    return file_dialog(owner_, q, true, false, buffer);
}

std::vector<std::string> StandardDialogs::open_files(const FileQuery& q) {
    std::string buffer;
    std::vector<std::string> names;
    std::optional<std::string> first = file_dialog(owner_, q, false, true, buffer);
    if (!first) return names;
    // One full path, or the folder followed by the names in it.
    size_t at = first->size() + 1;
    if (buffer[at] == '\0') return {*first};
    std::string folder = *first;
    if (folder.back() != '\\') folder += '\\';
    while (buffer[at] != '\0') {
        std::string name(buffer.c_str() + at);
        names.push_back(folder + name);
        at += name.size() + 1;
    }
    return names;
}

std::optional<std::string> StandardDialogs::choose_folder(const std::string& prompt,
                                                          const std::string& start) {
    BROWSEINFOA info = {};
    info.hwndOwner = owner_of(owner_);
    info.lpszTitle = prompt.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = folder_start;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    com_for_dialogs();
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen) return std::nullopt;
    char path[MAX_PATH] = {};
    BOOL ok = SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    if (!ok || !path[0]) return std::nullopt;
    std::string folder = path;
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

void StandardDialogs::message(const std::string& title, const std::string& text) {
    MessageBoxA(owner_of(owner_), text.c_str(), title.c_str(), MB_OK);
}

bool StandardDialogs::ask_yes_no(const std::string& title, const std::string& text) {
    return MessageBoxA(owner_of(owner_), text.c_str(), title.c_str(), MB_YESNO) == IDYES;
}

std::optional<std::string> StandardDialogs::input_text(const std::string& title,
                                                       const std::string& prompt,
                                                       const std::string& initial) {
    std::string text = initial;
    InputBoxRequest request{title, prompt, text};
    INT_PTR answer =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(QUORBEL_INPUT_DIALOG),
                        owner_of(owner_), input_procedure, reinterpret_cast<LPARAM>(&request));
    if (answer != IDOK) return std::nullopt;
    return text;
}

} // namespace ui
