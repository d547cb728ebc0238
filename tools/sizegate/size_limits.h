// sizegate's question: does a file's size lie strictly between two limits
// given in megabytes?
#pragma once

#include <cstdint>
#include <string>

namespace sizegate {

// A limit in bytes: the text read as a decimal number (blanks, sign, digits,
// point, fraction, exponent; 0 when there is none), rounded to single
// precision, times 1048576, rounded to the nearest byte with halves to even.
// Beyond the 64-bit range it saturates.
int64_t limit_bytes(const std::string& text);

// Exit code: 0 when the size is known and lower < size < upper, else 1.
int answer(int64_t lower, int64_t upper, bool size_known, int64_t size);

// The whole tool over its parameters; `file_size` gives a file's length, or
// false when it cannot be measured (missing, no access, not a plain file).
template <typename FileSize>
int run(const std::string& lower, const std::string& upper, const std::string& file,
        FileSize file_size) {
    int64_t size = 0;
    bool known = !file.empty() && file_size(file, size);
    return answer(limit_bytes(lower), limit_bytes(upper), known, size);
}

} // namespace sizegate
