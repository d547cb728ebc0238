// Settings files as text: lines of key = value, 64 keys in a fixed order.
// Reading, writing, setting aside and the built-in defaults' way through
// default.ini are the session's (session/settings_files.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frontend/settings/settings.h"

namespace settings {

// The 403-byte built-in default text.
extern const std::string_view builtin_default_text;

// The file text a save writes: 64 lines, each ended by CR LF (and the
// toolchain's fields when they differ from their defaults).
std::string settings_file_text(const Settings& s);

// Whether the bytes of a file hold at least one setting.
bool holds_settings(std::string_view bytes);

// Whether the bytes are UTF-8 by their byte-order mark; the text after it
// is then turned into the program's code page before it is applied.
bool is_utf8_file(std::string_view bytes);

// Replaces the persisted fields from a settings file's text, in the
// program's code page, and applies the corrections after a load
// (corrections.h). A stored `avsinc` chooses among `includes`. With
// `keep_toolchain` the fields that describe the installed tools keep their
// values ("L" and "Load Default" load an encode, not tools). Whoever shows
// the settings shows them afresh afterwards.
void apply_settings_text(Settings& s, std::string_view text,
                         const std::vector<std::string>& includes, bool keep_toolchain = false);

} // namespace settings
