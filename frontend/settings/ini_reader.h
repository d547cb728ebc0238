// Reads the key = value lines of a settings file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// One pass over the text keeps, for each key a settings file holds, the
// first entry that stands before the first group line; every other entry is
// passed over. Time and memory grow with the text alone, not with its number
// of entries. The reader keeps views into `text`, which must outlive it.
class IniReader {
  public:
    // `text` is the file's bytes, already decoded to single-byte text.
    explicit IniReader(std::string_view text);

    // The value of the first entry with this key (case ignored); nothing
    // when there is none. Leading spaces and tabs are already removed;
    // trailing ones are removed when `trim_end`.
    std::optional<std::string> value(const std::string& key, bool trim_end) const;

    // How many of those keys the text holds: 0 for an empty, damaged or
    // foreign file.
    int recognised() const { return recognised_; }

  private:
    std::vector<std::optional<std::string_view>> values_; // by schema position
    int recognised_ = 0;
};

// Whether the bytes start with a UTF-8 byte-order mark that makes them UTF-8.
bool has_utf8_mark(std::string_view bytes);

} // namespace settings
