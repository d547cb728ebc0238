// Reads the key = value lines of a settings file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace settings {

class IniReader {
  public:
    // `text` is the file's bytes, already decoded to single-byte text.
    explicit IniReader(std::string_view text);

    // The value of the first entry with this key (case ignored) that stands
    // before the first group line; nothing when there is none. Leading spaces
    // and tabs are already removed; trailing ones are removed when `trim_end`.
    std::optional<std::string> value(const std::string& key, bool trim_end) const;

  private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// Whether the bytes start with a UTF-8 byte-order mark that makes them UTF-8.
bool has_utf8_mark(std::string_view bytes);

} // namespace settings
