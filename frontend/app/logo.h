// The logo on the "Bitrate" page: the program's name drawn into a 200 × 59
// Windows bitmap with 8 bits per pixel and a 128-colour palette.
#pragma once

#include <string>

namespace app {

constexpr int logo_width = 200, logo_height = 59, logo_colours = 128;

// The whole bitmap file image (file header, information header, palette,
// bottom-up rows): 12,366 bytes.
std::string logo_bitmap();

} // namespace app
