#include "frontend/settings/choices.h"

namespace settings {

const Choice me_methods[4] = {{"Diamond Search", "dia"},
                              {"Hexagonal Search", "hex"},
                              {"Uneven Muti-Hexagon", "umh"},
                              {"Exhaustive Search", "esa"}};
const Choice direct_modes[4] = {
    {"Temporal", "temporal"}, {"Spatial", "spatial"}, {"Auto", "auto"}, {"None", "none"}};
const Choice trellis_choices[3] = {{"0", "0"}, {"1", "1"}, {"2", "2"}};
const AudioEncoder audio_encoders[7] = {
    {"CT AAC", " | enc_aacplus.exe - ", "aac\" --cbr ", true, "aac", "Kbps"},
    {"Nero", " | neroaacenc.exe -if - -of ", "mp4\" -ignorelength -cbr ", true, "mp4", "Kbps"},
    {" |-sse2", " | neroaacenc_sse2.exe -if - -of ", "mp4\" -ignorelength -cbr ", true, "mp4",
     "Kbps"},
    {"Nero(ABR)", " | neroaacenc.exe -if - -of ", "mp4\" -ignorelength -br ", true, "mp4", "Kbps"},
    {" |-sse2", " | neroaacenc_sse2.exe -if - -of ", "mp4\" -ignorelength -br ", true, "mp4",
     "Kbps"},
    {"Nero(Q)", " | neroaacenc.exe -if - -of ", "mp4\" -ignorelength -q ", false, "mp4", "Kbps"},
    {" |-sse2", " | neroaacenc_sse2.exe -if - -of ", "mp4\" -ignorelength -q ", false, "mp4",
     "Quality"},
};
const Choice muxers[5] = {
    {"MP4Box", ""}, {"MP4Creator", ""}, {"MKVMerge", ""}, {"No mux", ""}, {"Audio Only", ""}};
const Choice x264_dialects[2] = {{"classic", "classic"}, {"current", "current"}};
const Choice x264_inputs[2] = {{"avisynth", "avisynth"}, {"direct", "direct"}};

const PartitionDecision partition_decisions[9] = {
    {"1(Fastest)", "1", false, "1"},
    {"2", "2", false, "2"},
    {"3", "3", false, "3"},
    {"4", "4", false, "4"},
    {"5(Highest)", "5", false, "5"},
    {"6(RDO)", "6", false, "6"},
    {"6b(RDO on B-frames)", "6", true, "7"},
    {"7(Best)", "7", false, "8"},
    {"7b(RDO on B-frames)", "7", true, "8"},
};

} // namespace settings
