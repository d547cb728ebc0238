#include "frontend/app/logo.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace app {

namespace {

// A 5 × 9 pixel font for the few characters the logo uses: rows top to
// bottom, bit 4 the leftmost pixel; rows 7 and 8 hold descenders.
struct Glyph {
    char c;
    uint8_t rows[9];
};
const Glyph font[] = {
    {'q', {0, 0, 0x0F, 0x11, 0x11, 0x11, 0x0F, 0x01, 0x01}},
    {'u', {0, 0, 0x11, 0x11, 0x11, 0x13, 0x0D, 0, 0}},
    {'o', {0, 0, 0x0E, 0x11, 0x11, 0x11, 0x0E, 0, 0}},
    {'r', {0, 0, 0x16, 0x19, 0x10, 0x10, 0x10, 0, 0}},
    {'b', {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x1E, 0, 0}},
    {'e', {0, 0, 0x0E, 0x11, 0x1F, 0x10, 0x0E, 0, 0}},
    {'l', {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E, 0, 0}},
    {'x', {0, 0, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0, 0}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F, 0, 0}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E, 0, 0}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02, 0, 0}},
    {'f', {0x06, 0x09, 0x08, 0x1C, 0x08, 0x08, 0x08, 0, 0}},
    {'n', {0, 0, 0x16, 0x19, 0x11, 0x11, 0x11, 0, 0}},
    {'t', {0x08, 0x08, 0x1C, 0x08, 0x08, 0x09, 0x06, 0, 0}},
    {'d', {0x01, 0x01, 0x0D, 0x13, 0x11, 0x11, 0x0F, 0, 0}},
    {' ', {0, 0, 0, 0, 0, 0, 0, 0, 0}},
};

const Glyph& glyph(char c) {
    for (const Glyph& g : font)
        if (g.c == c) return g;
    return font[sizeof font / sizeof font[0] - 1];
}

// Palette: 0..63 the background, deep blue to teal; 64..95 the shadow, dark
// to black; 96..127 the letters, white to pale gold.
struct Rgb {
    uint8_t r, g, b;
};
Rgb mix(Rgb a, Rgb b, int i, int n) {
    auto m = [&](uint8_t x, uint8_t y) { return static_cast<uint8_t>(x + (y - x) * i / (n - 1)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}
std::vector<Rgb> palette() {
    std::vector<Rgb> p;
    for (int i = 0; i < 64; ++i) p.push_back(mix({16, 32, 96}, {24, 150, 160}, i, 64));
    for (int i = 0; i < 32; ++i) p.push_back(mix({8, 16, 48}, {0, 0, 0}, i, 32));
    for (int i = 0; i < 32; ++i) p.push_back(mix({255, 255, 255}, {250, 215, 110}, i, 32));
    return p;
}

using Canvas = std::vector<uint8_t>; // top-down rows of palette indexes

void put(Canvas& c, int x, int y, uint8_t colour) {
    if (x >= 0 && x < logo_width && y >= 0 && y < logo_height) c[y * logo_width + x] = colour;
}

// Draws the text with its top-left corner at (x, y), each font pixel a
// scale × scale square; `shade(row)` gives the colour of a pixel row.
template <typename Shade>
void draw(Canvas& c, const char* text, int x, int y, int scale, Shade shade) {
    for (; *text; ++text, x += 6 * scale) {
        const Glyph& g = glyph(*text);
        for (int gy = 0; gy < 9; ++gy)
            for (int gx = 0; gx < 5; ++gx)
                if (g.rows[gy] & (0x10 >> gx))
                    for (int dy = 0; dy < scale; ++dy)
                        for (int dx = 0; dx < scale; ++dx)
                            put(c, x + gx * scale + dx, y + gy * scale + dy,
                                shade(gy * scale + dy));
    }
}

void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void put16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

} // namespace

std::string logo_bitmap() {
    Canvas c(logo_width * logo_height);
    // A diagonal gradient behind everything.
    for (int y = 0; y < logo_height; ++y)
        for (int x = 0; x < logo_width; ++x)
            c[y * logo_width + x] = static_cast<uint8_t>((x * 48 / logo_width + y * 15 / 58));
    const int scale = 4, left = 16, top = 4;
    draw(c, "quorbel", left + 2, top + 2, scale, [](int) { return uint8_t(64 + 24); });
    draw(c, "quorbel", left, top, scale, [](int row) { return uint8_t(96 + row * 31 / 35); });
    draw(c, "x264 front end", 112, 48, 1, [](int) { return uint8_t(96); });

    const uint32_t header_bytes = 14 + 40 + 4 * logo_colours;
    const uint32_t pixel_bytes = logo_width * logo_height; // rows of 200 need no padding
    std::string out;
    out += "BM";
    put32(out, header_bytes + pixel_bytes);
    put32(out, 0);
    put32(out, header_bytes);
    put32(out, 40);
    put32(out, logo_width);
    put32(out, logo_height); // positive: bottom-up rows
    put16(out, 1);
    put16(out, 8);
    put32(out, 0); // BI_RGB
    put32(out, pixel_bytes);
    put32(out, 2835); // 72 dots per inch
    put32(out, 2835);
    put32(out, logo_colours);
    put32(out, logo_colours);
    for (const Rgb& p : palette()) {
        out += static_cast<char>(p.b);
        out += static_cast<char>(p.g);
        out += static_cast<char>(p.r);
        out += '\0';
    }
    for (int y = logo_height - 1; y >= 0; --y)
        out.append(reinterpret_cast<const char*>(&c[y * logo_width]), logo_width);
    return out;
}

} // namespace app
