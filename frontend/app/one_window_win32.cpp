// One window per program folder on Win32: a named mutex for the lock, and
// WM_COPYDATA folder queries to the windows of the class ui::window_class.
#include "frontend/app/one_window.h"

#include <windows.h>

#include "frontend/ui/window.h"

namespace app {

namespace {

// What the running windows answer: the first of this folder, or whether one
// holds the same lock for another folder.
struct Asked {
    HWND same_folder = nullptr;
    bool lock_of_another = false;
};

Asked ask_windows(const std::string& lock_name, const std::string& identity) {
    struct Search {
        std::string question;
        Asked asked;
    } search{lock_name + "\n" + identity, {}};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            char cls[64] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (std::string(cls) != ui::window_class) return TRUE;
            COPYDATASTRUCT data = {ui::folder_query, static_cast<DWORD>(s->question.size()),
                                   s->question.data()};
            DWORD_PTR answer = ui::unrelated;
            if (!SendMessageTimeoutA(w, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                     SMTO_ABORTIFHUNG, 200, &answer))
                return TRUE;
            if (answer == ui::same_folder) {
                s->asked.same_folder = w;
                return FALSE;
            }
            if (answer == ui::same_lock_other_folder) s->asked.lock_of_another = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.asked;
}

} // namespace

std::string folder_identity(const std::string& folder, platform::Os& os) {
    HANDLE h =
        CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    std::string path = folder;
    if (h != INVALID_HANDLE_VALUE) {
        std::string final_path(MAX_PATH, '\0');
        for (;;) {
            DWORD n = GetFinalPathNameByHandleA(h, final_path.data(),
                                                static_cast<DWORD>(final_path.size()), 0);
            if (n == 0) break;
            if (n < final_path.size()) {
                final_path.resize(n);
                path = final_path.compare(0, 4, "\\\\?\\") == 0 ? final_path.substr(4) : final_path;
                break;
            }
            final_path.resize(n + 1);
        }
        CloseHandle(h);
    }
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
    return os.case_key(path);
}

bool OneWindow::claim(const std::string& lock_name, const std::string& identity) {
    HANDLE lock = CreateMutexA(nullptr, TRUE, lock_name.c_str());
    if (!lock) return true; // no lock to be had: better a window than none
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        lock_ = lock;
        return true;
    }
    // Held: by a window of this folder (to the front), by one that is closing
    // or starting (wait for it), or by one of another folder whose lock has
    // the same name (then this folder opens without it).
    for (int waited = 0; waited < 8000; waited += 100) {
        Asked asked = ask_windows(lock_name, identity);
        if (asked.same_folder) {
            if (IsIconic(asked.same_folder)) ShowWindow(asked.same_folder, SW_RESTORE);
            SetForegroundWindow(asked.same_folder);
            CloseHandle(lock);
            return false;
        }
        if (asked.lock_of_another) {
            CloseHandle(lock);
            return true;
        }
        DWORD got = WaitForSingleObject(lock, 100);
        if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED) {
            lock_ = lock;
            return true;
        }
    }
    CloseHandle(lock);
    MessageBoxA(nullptr,
                "quorbel runs already for this folder, but its window does not answer. Close it, "
                "then start quorbel again.",
                "quorbel", MB_OK | MB_ICONWARNING);
    return false;
}

OneWindow::~OneWindow() {
    if (!lock_) return;
    ReleaseMutex(lock_);
    CloseHandle(lock_);
}

} // namespace app
