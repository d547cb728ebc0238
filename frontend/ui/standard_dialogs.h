// The system's standard dialogs: file, folder and text-input boxes and
// message boxes, owned by a window. The header names no Win32 type.
#pragma once

#include "frontend/ui/dialogs.h"

namespace ui {

class StandardDialogs final : public Dialogs {
  public:
    // The window that owns them (an HWND), or nullptr for none.
    void set_owner(void* window) { owner_ = window; }

    std::optional<std::string> open_file(const FileQuery& query) override;
    std::optional<std::string> save_file(const FileQuery& query) override;
    std::vector<std::string> open_files(const FileQuery& query) override;
    std::optional<std::string> choose_folder(const std::string& prompt,
                                             const std::string& start) override;
    void message(const std::string& title, const std::string& text) override;
    bool ask_yes_no(const std::string& title, const std::string& text) override;
    std::optional<std::string> input_text(const std::string& title, const std::string& prompt,
                                          const std::string& initial) override;

  private:
    void* owner_ = nullptr;
};

} // namespace ui
