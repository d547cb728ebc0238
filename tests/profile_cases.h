// Profile files as people edit them by hand, with what the Windows profile
// functions read from them.
#pragma once

#include <cstdint>

namespace test {

// What the Windows profile functions make of hand-edited files.
const struct ProfileCase {
    const char* text;
    int32_t level; // GetPrivateProfileInt("levoria", "level", 75)
} profile_cases[] = {
    {"[levoria]\r\nlevel=12\r\n", 12},
    {"[levoria]\r\nlevel=\"12\"\r\n", 12}, // one pair of quotes stripped
    {"[levoria]\r\nlevel='12'\r\n", 12},
    {"[levoria]\r\nlevel=\"12'\r\n", 0}, // quotes that do not match stay
    {"[levoria]\r\nlevel=  -7 \r\n", -7},
    {"[levoria]\r\nlevel=+7\r\n", 7},
    {"[levoria]\r\nlevel=4294967297\r\n", 1}, // wraps modulo 2^32
    {"[levoria]\r\nlevel=2147483648\r\n", -2147483647 - 1},
    {"[levoria]\r\nlevel=-4294967295\r\n", 1},
    {"[levoria]\r\nlevel=\r\n", 75}, // an empty value: the default
    {"[levoria]\r\nlevel=x\r\n", 0},
    {"[levoria\r\nlevel=12\r\n", 75},      // no "]": no section line
    {"[levoria]]\r\nlevel=12\r\n", 75},    // the section "levoria]"
    {"[levoria] x\r\nlevel=12\r\n", 12},   // what follows the last "]" is not part of the name
    {"[levoria]\rlevel=12\rwndx=3\r", 12}, // CR-only line ends
    {"[levoria]\nlevel=12\n", 12},
    {"  [ levoria ]\r\nlevel=12\r\n", 12}, // blanks around the name do not count
    {"[LEVORIA]\r\n  LEVEL  =  9\r\n", 9},
    {"[levoria]\r\nlevel=1\r\nlevel=2\r\n", 1},               // the first entry
    {"[levoria]\r\n[other]\r\n[levoria]\r\nlevel=3\r\n", 75}, // only the first section
    {"level=5\r\n[levoria]\r\n", 75},
};

} // namespace test
