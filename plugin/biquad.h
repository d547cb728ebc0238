// A second-order filter and the band-pass design of the voice band-pass.
#pragma once

namespace levo {

struct Biquad {
    float c0, c1, c2, c3, c4; // normalised coefficients
    float x1, x2;             // last two inputs
    float y1, y2;             // last two outputs
};

// Audio-EQ-cookbook band-pass with 0 dB peak gain: centre f Hz, sample rate
// r Hz, bandwidth bw octaves. History cleared.
Biquad designBiquad(double f, double r, double bw);

// One filter step; the history keeps the unclamped output.
inline float filter_step(Biquad& b, float x) {
    float y = b.c0 * x + b.c1 * b.x1 + b.c2 * b.x2 - b.c3 * b.y1 - b.c4 * b.y2;
    b.x2 = b.x1;
    b.x1 = x;
    b.y2 = b.y1;
    b.y1 = y;
    return y;
}

} // namespace levo
