// The fixed choice lists: each entry's name as the user sees it, paired with
// the word the x264 lines write for it. A list's position is the index a
// settings file stores.
#pragma once

#include <string>
#include <vector>

namespace settings {

struct Choice {
    const char* name;
    const char* word; // what the x264 line writes; empty when it writes nothing of its own
};

extern const Choice me_methods[4];      // `ms`: "Diamond Search" is "dia", ...
extern const Choice direct_modes[4];    // `dm`: "Auto" is "auto", ...
extern const Choice trellis_choices[3]; // `tre`
extern const Choice muxers[5];          // `muxer`
// `muxer` indexes, as the lines tell them apart.
enum MuxerIndex : int { mux_mp4box, mux_mp4creator, mux_mkvmerge, mux_none, mux_audio_only };
extern const Choice x264_dialects[2]; // `x264cli`: "classic", "current"
extern const Choice x264_inputs[2];   // `x264input`: "avisynth", "direct"

// The audio encoders (`ae`): the entry's name, the pieces of the audio line
// that run it, the file it writes, and the unit shown beside `aub`. Each
// " |-sse2" entry is the SSE2 build of the Nero encoder above it.
struct AudioEncoder {
    const char* name;
    const char* program;  // reads the decoded audio from its standard input
    const char* rate;     // begins with the rest of the audio file's name
    bool bits_per_second; // the rate is `aub` × 1000; else the `aub` text as typed (a quality)
    const char* extension;
    const char* unit; // "Quality" only for the last entry, as the window has always shown it
};
extern const AudioEncoder audio_encoders[7];

// "Partition decision" (`m`): the subpixel refinement level in each dialect
// of the lines. Current builds fold B-frame RDO into the levels ("subme7 ==
// old subme6+brdo, subme8 == old subme7+brdo"); "7(Best)" takes the nearest.
struct PartitionDecision {
    const char* name;
    const char* classic; // the level of the classic lines
    bool b_rdo;          // the classic lines add --b-rdo
    const char* current; // the level of the lines for current x264
};
extern const PartitionDecision partition_decisions[9];

// The entry at `index`; nullptr when nothing (or nothing valid) is chosen.
template <typename T, int N> const T* entry(const T (&list)[N], int index) {
    return index >= 0 && index < N ? &list[index] : nullptr;
}

// The names of a list, in order.
template <typename T, int N> std::vector<std::string> names_of(const T (&list)[N]) {
    std::vector<std::string> names;
    for (const T& e : list) names.push_back(e.name);
    return names;
}

} // namespace settings
