#include "frontend/settings/corrections.h"

#include "frontend/settings/encode_modes.h"
#include "frontend/settings/text_number.h"

namespace settings {

namespace {

Changed set_text(Settings& s, std::string Settings::*field, const std::string& text) {
    s.*field = text;
    return {&spec_of(field)};
}

void add(Changed& all, const Changed& more) {
    all.insert(all.end(), more.begin(), more.end());
}

} // namespace

Changed validate_value(Settings& s) {
    if (s.sizemode != 0) return {};
    Limits limits{true, 0, static_cast<double>(mode_spec(s.mode).value_high), false};
    if (!clamp_text(s.value, limits)) return {};
    return {&spec_of(&Settings::value)};
}

Changed clamp(Settings& s, std::string Settings::*field) {
    const FieldSpec& f = spec_of(field);
    if (!clamp_text(s.*field, f.limits)) return {};
    return {&f};
}

Changed deblock_mirrors(Settings& s) {
    Changed changed = set_text(s, &Settings::fa, decimal(s.deb_a - 6));
    add(changed, set_text(s, &Settings::fb, decimal(s.deb_b - 6)));
    return changed;
}

Changed bias_from_slider(Settings& s) {
    return set_text(s, &Settings::bias, decimal(s.biasbar - 100));
}

Changed slider_from_bias(Settings& s) {
    long long pos = static_cast<long long>(integer_value(s.bias)) + 100;
    s.biasbar = pos < 0 ? 0 : pos > 200 ? 200 : static_cast<int>(pos);
    return {&spec_of(&Settings::biasbar)};
}

Changed correct_after_load(Settings& s) {
    Changed changed = deblock_mirrors(s);
    add(changed, slider_from_bias(s));
    add(changed, validate_value(s));
    for (auto field :
         {&Settings::kfb, &Settings::bfr, &Settings::vbr, &Settings::minqp, &Settings::maxqp,
          &Settings::qps, &Settings::mb, &Settings::ref, &Settings::thr, &Settings::range,
          &Settings::sct, &Settings::vbs, &Settings::vmb, &Settings::vib, &Settings::bv})
        add(changed, clamp(s, field));
    return changed;
}

Changed take_matrix_file(Settings& s, const std::optional<std::string>& chosen) {
    return set_text(s, &Settings::cqm, chosen ? "\"" + *chosen + "\"" : "flat");
}

Changed choose_include(Settings& s, const std::vector<std::string>& includes) {
    for (const std::string& item : includes)
        if (item == s.avsinc) return {};
    std::string first = includes.empty() ? "" : includes.front();
    if (s.avsinc == first) return {};
    s.avsinc = first;
    return {&spec_of(&Settings::avsinc)};
}

} // namespace settings
