#include "frontend/ui/layout.h"

#include <cstdlib>

namespace ui {

const char* const tab_names[page_count] = {"Bitrate", "Rate Control", "MBs&&Frames", "More", "Job"};

namespace {

const char* const matrix_names[] = {"flat", "jvt", "custom..."};

constexpr Font T = Font::tahoma, D = Font::dialog_default;
constexpr unsigned N = digits_only;

using K = Kind;

std::vector<ControlSpec> build_layout() {
    return {
        // The window's own controls.
        {Ctl::load_default, K::button, "Load Default", {5, 330, 85, 25}, nullptr, T, 0},
        {Ctl::add, K::button, "Add", {230, 330, 65, 25}, nullptr, T, 0},
        {Ctl::cancel, K::button, "Cancel", {160, 330, 65, 25}, nullptr, T, 0},
        {Ctl::tabs, K::tab_panel, "", {0, 0, 310, 325}, nullptr, T, 0},

        // "Bitrate"
        {Ctl::logo, K::image, "", {58, 24, 200, 59}, nullptr, T, 0},
        {Ctl::minsize, K::text_field, nullptr, {133, 24, 60, 20}, "minsize", T, 0},
        {Ctl::maxsize, K::text_field, nullptr, {133, 54, 60, 20}, "maxsize", T, 0},
        {Ctl::minsize_caption, K::caption, "Min size(MB):", {63, 24, 70, 20}, nullptr, T, 0},
        {Ctl::maxsize_caption, K::caption, "Max size(MB):", {63, 54, 70, 20}, nullptr, T, 0},
        {Ctl::mode, K::choice_list, nullptr, {58, 104, 200, 140}, "mode", T, 0},
        {Ctl::refresh, K::button, "Refresh", {5, 155, 55, 21}, nullptr, D, 0},
        {Ctl::value_caption, K::caption, "Quantizer", {58, 134, 80, 16}, nullptr, T, 0},
        {Ctl::size_box, K::check_box, "Size", {10, 130, 40, 21}, "sizemode", T, 0},
        {Ctl::range_hint, K::caption, "Range 0~51", {58, 85, 205, 17}, nullptr, T, 0},
        {Ctl::value, K::text_field, nullptr, {148, 134, 50, 20}, "value", T, 0},
        {Ctl::auto1pcrf, K::text_field, nullptr, {208, 134, 50, 20}, "auto1pcrf", D, 0},
        {Ctl::crf_caption, K::caption, "<-CRF", {260, 134, 50, 20}, nullptr, D, 0},
        {Ctl::cfgname, K::editable_choice_list, nullptr, {159, 155, 99, 200}, "cfgname", D, 0},
        {Ctl::avsinc, K::choice_list, nullptr, {60, 155, 99, 200}, "avsinc", D, 0},
        {Ctl::save_config, K::button, "S", {260, 155, 20, 20}, nullptr, T, 0},
        {Ctl::load_config, K::button, "L", {280, 155, 20, 20}, nullptr, T, 0},
        {Ctl::upstat, K::check_box, "Update Statsfile", {23, 235, 120, 15}, "upstat", T, 0},
        {Ctl::files_input, K::button, "Files input", {150, 230, 120, 25}, nullptr, T, 0},
        {Ctl::statsname_caption, K::caption, "Statsfile name", {18, 259, 90, 20}, nullptr, T, 0},
        {Ctl::crelog, K::check_box, "Logfile(empty=none)", {18, 279, 120, 20}, "crelog", T, 0},
        {Ctl::statsname, K::text_field, nullptr, {108, 259, 145, 20}, "statsname", T, 0},
        {Ctl::logname, K::text_field, nullptr, {138, 279, 115, 20}, "logname", T, 0},
        {Ctl::stats_button, K::button, "...", {258, 259, 25, 20}, nullptr, T, 0},
        {Ctl::log_button, K::button, "...", {258, 279, 25, 20}, nullptr, T, 0},
        {Ctl::infile_caption, K::caption, "Input file:", {8, 179, 70, 15}, nullptr, T, 0},
        {Ctl::outfile_caption, K::caption, "Output file:", {8, 204, 80, 15}, nullptr, T, 0},
        {Ctl::infile, K::text_field, nullptr, {83, 179, 175, 20}, "infile", T, 0},
        {Ctl::outfile, K::text_field, nullptr, {93, 204, 165, 20}, "outfile", T, 0},
        {Ctl::input_button, K::button, "...", {263, 179, 25, 20}, nullptr, T, 0},
        {Ctl::output_button, K::button, "...", {263, 204, 25, 20}, nullptr, T, 0},

        // "Rate Control"
        {Ctl::limits_group,
         K::group_frame,
         "Bitrate && Quantization Limits",
         {8, 9, 290, 80},
         nullptr,
         T,
         0},
        {Ctl::vbv_group,
         K::group_frame,
         "VBV Settings && Scene Cuts",
         {8, 99, 290, 100},
         nullptr,
         T,
         0},
        {Ctl::qp_group, K::group_frame, "Adjust QP && deadzones", {8, 204, 290, 80}, nullptr, T, 0},
        {Ctl::kfb_caption, K::caption, "KeyFrame boost(%)", {20, 24, 110, 15}, nullptr, T, 0},
        {Ctl::bfr_caption, K::caption, "B-frames reduction(%)", {20, 44, 110, 15}, nullptr, T, 0},
        {Ctl::vbr_caption, K::caption, "Quantizer Comp(%)", {20, 64, 110, 15}, nullptr, T, 0},
        {Ctl::kfb, K::text_field, nullptr, {135, 22, 30, 20}, "kfb", T, N},
        {Ctl::bfr, K::text_field, nullptr, {135, 42, 30, 20}, "bfr", T, N},
        {Ctl::vbr, K::text_field, nullptr, {135, 62, 30, 20}, "vbr", T, N},
        {Ctl::minqp_caption, K::caption, "Min QP", {170, 24, 65, 15}, nullptr, T, 0},
        {Ctl::maxqp_caption, K::caption, "Max QP", {170, 44, 65, 15}, nullptr, T, 0},
        {Ctl::qps_caption, K::caption, "Max QP Step", {170, 64, 65, 15}, nullptr, T, 0},
        {Ctl::minqp, K::text_field, nullptr, {236, 22, 35, 20}, "minqp", T, N},
        {Ctl::maxqp, K::text_field, nullptr, {236, 42, 35, 20}, "maxqp", T, N},
        {Ctl::qps, K::text_field, nullptr, {236, 62, 35, 20}, "qps", T, N},
        {Ctl::vbs_caption, K::caption, "VBV Buffer Size", {20, 115, 135, 20}, nullptr, T, 0},
        {Ctl::vmb_caption, K::caption, "VBV Maximum Bitrate", {20, 135, 135, 20}, nullptr, T, 0},
        {Ctl::vib_caption, K::caption, "VBV Initial Buffer", {20, 155, 135, 20}, nullptr, T, 0},
        {Ctl::bv_caption, K::caption, "Bitrate Variance(%)", {20, 175, 135, 20}, nullptr, T, 0},
        {Ctl::vbs, K::text_field, nullptr, {125, 115, 30, 20}, "vbs", T, N},
        {Ctl::vmb, K::text_field, nullptr, {125, 135, 30, 20}, "vmb", T, N},
        {Ctl::vib, K::text_field, nullptr, {125, 155, 30, 20}, "vib", T, 0},
        {Ctl::bv, K::text_field, nullptr, {125, 175, 30, 20}, "bv", T, N},
        {Ctl::sct_caption, K::caption, "SC Threshold", {165, 123, 85, 15}, nullptr, T, 0},
        {Ctl::mingop_caption, K::caption, "Min I-f interval", {165, 148, 85, 15}, nullptr, T, 0},
        {Ctl::maxgop_caption, K::caption, "Max I-f interval", {165, 173, 85, 15}, nullptr, T, 0},
        {Ctl::sct, K::text_field, nullptr, {245, 120, 35, 20}, "sct", T, N},
        {Ctl::mingop, K::text_field, nullptr, {245, 145, 35, 20}, "mingop", T, N},
        {Ctl::maxgop, K::text_field, nullptr, {245, 170, 35, 20}, "maxgop", T, N},
        {Ctl::aq, K::check_box, "AQ Settings", {20, 220, 85, 15}, "aq", T, 0},
        {Ctl::aq1_caption, K::caption, "AQ Strength", {20, 240, 80, 15}, nullptr, T, 0},
        {Ctl::aq2_caption, K::caption, "AQ sensitivity", {20, 260, 80, 15}, nullptr, T, 0},
        {Ctl::aq1, K::text_field, nullptr, {100, 240, 35, 20}, "aq1", T, 0},
        {Ctl::aq2, K::text_field, nullptr, {100, 260, 35, 20}, "aq2", T, 0},
        {Ctl::deadzone_caption,
         K::caption,
         "Deadzone settings",
         {170, 220, 120, 15},
         nullptr,
         T,
         0},
        {Ctl::dzinter_caption, K::caption, "Inter", {170, 240, 120, 15}, nullptr, T, 0},
        {Ctl::dzintra_caption, K::caption, "Intra", {170, 260, 120, 15}, nullptr, T, 0},
        {Ctl::dzinter, K::text_field, nullptr, {230, 240, 35, 20}, "dzinter", T, 0},
        {Ctl::dzintra, K::text_field, nullptr, {230, 260, 35, 20}, "dzintra", T, 0},

        // "MBs&Frames"
        {Ctl::partitions_group, K::group_frame, "Partitions", {8, 4, 285, 145}, nullptr, T, 0},
        {Ctl::bframes_group, K::group_frame, "B Frames", {8, 154, 285, 140}, nullptr, T, 0},
        {Ctl::a1, K::check_box, "8x8 Transform", {28, 24, 255, 15}, "a1", T, 0},
        {Ctl::a2, K::check_box, "8x8,8x16 and 16x8 P-frame search", {28, 44, 255, 15}, "a2", T, 0},
        {Ctl::a3, K::check_box, "8x8,8x16 and 16x8 B-Frame search", {28, 64, 255, 15}, "a3", T, 0},
        {Ctl::a4, K::check_box, "4x4,4x8 and 8x4 P-frame search", {28, 84, 255, 15}, "a4", T, 0},
        {Ctl::a5, K::check_box, "8x8 Intra search", {28, 104, 255, 15}, "a5", T, 0},
        {Ctl::a6, K::check_box, "4x4 Intra search", {28, 124, 255, 15}, "a6", T, 0},
        {Ctl::mb_caption, K::caption, "Max consecutive", {28, 174, 110, 15}, nullptr, T, 0},
        {Ctl::bias_caption, K::caption, "Bias", {28, 194, 35, 15}, nullptr, T, 0},
        {Ctl::biasbar, K::slider, "", {73, 194, 120, 15}, "biasbar", T, 0},
        {Ctl::mb, K::text_field, nullptr, {208, 169, 55, 20}, "mb", T, N},
        {Ctl::bias, K::text_field, nullptr, {208, 194, 55, 20}, "bias", T, three_characters},
        {Ctl::bref, K::check_box, "Use as references", {28, 219, 125, 15}, "bref", T, 0},
        {Ctl::bme, K::check_box, "Bidirectional ME", {168, 219, 120, 15}, "bme", T, 0},
        {Ctl::ba, K::check_box, "Adaptive", {28, 239, 75, 15}, "ba", T, 0},
        {Ctl::bwb, K::check_box, "Weighted biprediction", {113, 239, 155, 15}, "bwb", T, 0},
        {Ctl::dm_caption, K::caption, "Direct Mode", {28, 264, 80, 15}, nullptr, T, 0},
        {Ctl::dm, K::choice_list, nullptr, {123, 264, 150, 130}, "dm", T, 0},

        // "More"
        {Ctl::me_group, K::group_frame, "Motion Estimation", {8, 9, 290, 130}, nullptr, T, 0},
        {Ctl::m, K::choice_list, nullptr, {133, 24, 145, 110}, "m", T, 0},
        {Ctl::ms, K::choice_list, nullptr, {118, 49, 160, 115}, "ms", T, 0},
        {Ctl::m_caption, K::caption, "Partition decision", {13, 24, 115, 20}, nullptr, T, 0},
        {Ctl::ms_caption, K::caption, "Method", {13, 49, 100, 20}, nullptr, T, 0},
        {Ctl::range_caption, K::caption, "Range", {13, 79, 50, 20}, nullptr, T, 0},
        {Ctl::ref_caption, K::caption, "Max Ref. frames", {13, 109, 100, 20}, nullptr, T, 0},
        {Ctl::range, K::text_field, nullptr, {73, 79, 35, 20}, "range", T, N},
        {Ctl::ref, K::text_field, nullptr, {118, 109, 45, 20}, "ref", T, N},
        {Ctl::cme, K::check_box, "Chroma ME", {210, 79, 70, 15}, "cme", T, 0},
        {Ctl::mxref, K::check_box, "Mixed Refs", {210, 99, 70, 15}, "mxref", T, 0},
        {Ctl::fastpsk, K::check_box, "Fast P Skip", {210, 119, 70, 15}, "fastpsk", T, 0},
        {Ctl::dctd, K::check_box, "DCT Decimate", {118, 79, 90, 15}, "dctd", T, 0},
        {Ctl::misc_group, K::group_frame, "Misc. options", {8, 144, 290, 150}, nullptr, T, 0},
        {Ctl::audio_group, K::group_frame, "Audio", {132, 155, 160, 70}, nullptr, D, 0},
        {Ctl::aud, K::check_box, "Audio", {142, 175, 60, 15}, "aud", T, 0},
        {Ctl::aub, K::text_field, nullptr, {202, 173, 40, 20}, "aub", T, 0},
        {Ctl::aub_unit, K::caption, "Kbps", {245, 175, 40, 15}, nullptr, T, 0},
        {Ctl::ae, K::choice_list, nullptr, {142, 195, 70, 140}, "ae", T, 0},
        {Ctl::muxer, K::choice_list, nullptr, {222, 195, 65, 140}, "muxer", T, 0},
        {Ctl::sar_caption, K::caption, "Sample AR", {13, 174, 55, 15}, nullptr, T, 0},
        {Ctl::arx, K::text_field, nullptr, {68, 174, 15, 18}, "arx", T, N},
        {Ctl::ary, K::text_field, nullptr, {98, 174, 15, 18}, "ary", T, N},
        {Ctl::sar_colon, K::caption, " :", {83, 174, 15, 15}, nullptr, T, 0},
        {Ctl::thr_caption, K::caption, "Threads", {13, 199, 55, 15}, nullptr, T, 0},
        {Ctl::apin, K::check_box, "Alone Thread Input", {18, 217, 110, 15}, "apin", T, 0},
        {Ctl::thr, K::text_field, nullptr, {68, 199, 15, 18}, "thr", T, 0},
        {Ctl::cab, K::check_box, "CABAC", {18, 234, 65, 15}, "cab", T, 0},
        {Ctl::trellis_caption, K::caption, "Trellis", {83, 234, 40, 15}, nullptr, T, 0},
        {Ctl::tre, K::choice_list, nullptr, {124, 232, 30, 100}, "tre", T, 0},
        {Ctl::nr_caption, K::caption, "Noise Reduction", {163, 234, 95, 15}, nullptr, T, 0},
        {Ctl::nr, K::text_field, nullptr, {258, 234, 35, 18}, "nr", T, 0},
        {Ctl::fil, K::check_box, "Deblocking filter:", {18, 252, 100, 15}, "fil", T, 0},
        {Ctl::cqm_caption, K::caption, "Quant:", {18, 275, 50, 15}, nullptr, T, 0},
        {Ctl::cqm, K::editable_choice_list, nullptr, {68, 270, 70, 50}, "cqm", T, 0},
        {Ctl::strength_caption, K::caption, "Strength", {153, 254, 50, 15}, nullptr, T, 0},
        {Ctl::threshold_caption, K::caption, "Threshold", {153, 270, 55, 15}, nullptr, T, 0},
        {Ctl::deb_a, K::slider, "", {213, 254, 55, 15}, "deb-a", T, 0},
        {Ctl::deb_b, K::slider, "", {213, 269, 55, 15}, "deb-b", T, 0},
        {Ctl::fa, K::caption, nullptr, {268, 254, 20, 15}, "fa", T, 0},
        {Ctl::fb, K::caption, nullptr, {268, 269, 20, 15}, "fb", T, 0},

        // "Job"
        {Ctl::job_list, K::list_box, "", {3, 4, 260, 265}, nullptr, T, 0},
        {Ctl::make_bat, K::button, "Make BAT", {230, 274, 65, 20}, nullptr, T, 0},
        {Ctl::clear, K::button, "Clear", {155, 274, 65, 20}, nullptr, T, 0},
        {Ctl::disable, K::button, "Disable", {80, 274, 65, 20}, nullptr, T, 0},
        {Ctl::start, K::button, "Start", {5, 274, 65, 20}, nullptr, T, 0},
        {Ctl::view, K::button, "view", {264, 10, 40, 30}, nullptr, T, 0},
        {Ctl::up, K::button, "up", {264, 50, 40, 30}, nullptr, T, 0},
        {Ctl::down, K::button, "down", {264, 90, 40, 30}, nullptr, T, 0},
        {Ctl::edit, K::button, "edit", {264, 130, 40, 30}, nullptr, T, 0},
        {Ctl::del, K::button, "del", {264, 170, 40, 30}, nullptr, T, 0},
        {Ctl::shut, K::button, "Shut", {264, 210, 40, 30}, nullptr, T, 0},
    };
}

} // namespace

const std::vector<ControlSpec>& layout() {
    static const std::vector<ControlSpec> table = build_layout();
    return table;
}

const ControlSpec& control_spec(Ctl id) {
    for (const ControlSpec& c : layout())
        if (c.id == id) return c;
    std::abort(); // every id has a row
}

const settings::FieldSpec* bound_field(const ControlSpec& control) {
    return control.field ? settings::find_field(control.field) : nullptr;
}

std::optional<Ctl> control_of(const settings::FieldSpec& field) {
    for (const ControlSpec& c : layout())
        if (bound_field(c) == &field) return c.id;
    return std::nullopt;
}

std::string initial_text(const ControlSpec& control) {
    if (control.text) return control.text;
    const settings::FieldSpec* f = bound_field(control);
    return f && f->kind == settings::Kind::text ? f->at_creation : "";
}

std::vector<std::string> fixed_items(const ControlSpec& control) {
    if (control.id == Ctl::cqm) return {std::begin(matrix_names), std::end(matrix_names)};
    const settings::FieldSpec* f = bound_field(control);
    if (!f) return {};
    return f->choices;
}

std::pair<int, int> slider_range(const ControlSpec& control) {
    const settings::FieldSpec* f = bound_field(control);
    return {static_cast<int>(f->limits.low), static_cast<int>(f->limits.high)};
}

} // namespace ui
