// The profile-file format ("[section]" lines and key=value entries) read and
// updated the way the Windows profile functions do, for platforms without them.
#pragma once

#include <cstdint>
#include <string>

namespace levo {

// The key's value in the section as an integer (leading blanks, sign,
// digits), or `fallback` when the section or key is missing.
int32_t profile_int(const std::string& text, const std::string& section, const std::string& key,
                    int32_t fallback);

// The text with the key set to `value` in the section: an existing entry is
// replaced in place, a new one goes at the end of its section, a new section
// at the end of the text. Lines end in CR LF.
std::string with_profile_value(const std::string& text, const std::string& section,
                               const std::string& key, const std::string& value);

} // namespace levo
