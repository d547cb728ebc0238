// The standard dialogs the handlers open. The window implements them with the
// system's dialogs; tests answer them with chosen paths or cancellation.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ui {

// A file dialog: its title (empty: the system's default), the file it starts
// from (its folder is where the dialog opens, its name is filled in), the
// filters as "description|pattern" pairs joined by "|", and which of them is
// shown first (counted from 1).
struct FileQuery {
    std::string title, default_file, filters;
    int first_filter = 1;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // The chosen full path, or nothing when cancelled.
    virtual std::optional<std::string> open_file(const FileQuery& query) = 0;
    virtual std::optional<std::string> save_file(const FileQuery& query) = 0;
    // The chosen files, full paths; empty when cancelled.
    virtual std::vector<std::string> open_files(const FileQuery& query) = 0;
    // The chosen folder ending in its separator, or nothing when cancelled.
    virtual std::optional<std::string> choose_folder(const std::string& prompt,
                                                     const std::string& start) = 0;
    virtual void message(const std::string& title, const std::string& text) = 0;
    virtual bool ask_yes_no(const std::string& title, const std::string& text) = 0;
    // The edited text when confirmed with OK or Enter; nothing when the box
    // is closed or left with Escape.
    virtual std::optional<std::string>
    input_text(const std::string& title, const std::string& prompt, const std::string& initial) = 0;
};

} // namespace ui
