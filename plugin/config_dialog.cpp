#include "plugin/config_dialog.h"

#include <cstdio>
#include <cstring>

#include "plugin/effects.h"

namespace levo {

const char* const mathmode_names[4] = {"Integer", "MMX Enabled", "Floating Point", "3DNOW Enabled"};

namespace {

const int echo_list[] = {id_evol, id_esep,        id_edelay,    id_elevel,    id_emon,
                         id_nle,  id_edelay_text, id_evol_text, id_esep_text, id_elevel_text};

// Each slider: its range, and the fixed value its position is taken from
// (setting = base − position); the smoothness slider (base 0) shows its
// setting directly.
struct Slider {
    int id, low, high, base;
    std::atomic<int32_t> PluginSettings::*setting;
};
const Slider sliders[] = {
    {id_level, 0, 100, 100, &PluginSettings::level},
    {id_stepping, 5, 10, 0, &PluginSettings::stepping},
    {id_evol, 0, 100, 100, &PluginSettings::evol},
    {id_esep, 0, 100, 100, &PluginSettings::esep},
    {id_edelay, 5, 500, 505, &PluginSettings::edelay},
    {id_elevel, 0, 100, 100, &PluginSettings::elevel},
};

int slider_position(const Slider& s, int32_t value) {
    return s.base ? s.base - value : value;
}

template <typename... Args> std::string format(const char* pattern, Args... args) {
    char buf[128];
    std::snprintf(buf, sizeof buf, pattern, args...);
    return buf;
}

int percent_of_unity(int64_t gain, int32_t stepping) {
    return static_cast<int>((gain * 100) >> stepping);
}

} // namespace

void ConfigDialog::show_slider_text(int id) {
    switch (id) {
    case id_level: ui_.set_text(id_level_text, format("%% %d", get(set_.level))); break;
    case id_stepping: ui_.set_text(id_stepping_text, format("%d", get(set_.stepping))); break;
    case id_evol: ui_.set_text(id_evol_text, format("Echo Volume: %% %d", get(set_.evol))); break;
    case id_esep:
        ui_.set_text(id_esep_text, format("Stereo Separation: %% %d", 100 - get(set_.esep)));
        break;
    case id_edelay:
        ui_.set_text(id_edelay_text, format("Echo Delay: %d ms", get(set_.edelay)));
        break;
    case id_elevel:
        ui_.set_text(id_elevel_text, format("Desired Echo Level: %% %d", get(set_.elevel)));
        break;
    }
}

void ConfigDialog::echo_rule(bool needs_stereo) {
    bool on = get(set_.echo) == 1 && (!needs_stereo || get(st_.lastchannels) > 1);
    for (int id : echo_list) {
        bool needs_monitor = id == id_elevel || id == id_elevel_text;
        ui_.enable(id, on && (!needs_monitor || get(set_.emon) == 1));
    }
}

void ConfigDialog::initialise() {
    const std::pair<int, std::atomic<int32_t> PluginSettings::*> checks[] = {
        {id_echo, &PluginSettings::echo},    {id_emon, &PluginSettings::emon},
        {id_hq, &PluginSettings::hq},        {id_nle, &PluginSettings::nle},
        {id_vpb, &PluginSettings::vpb},      {id_boost, &PluginSettings::boost},
        {id_invert, &PluginSettings::invert}};
    for (const auto& [id, setting] : checks) ui_.set_check(id, get(set_.*setting) != 0);
    for (const Slider& s : sliders) ui_.set_range(s.id, s.low, s.high);
    for (const Slider& s : sliders)
        ui_.set_position(s.id, slider_position(s, get(set_.*s.setting)));
    for (const Slider& s : sliders) show_slider_text(s.id);
    ui_.move_to(get(set_.wndx), get(set_.wndy));
    echo_rule(false);
}

void ConfigDialog::fast_tick() {
    int32_t proposed = get(st_.evolauto);
    if (get(set_.emon) != 1 || proposed == get(set_.evol)) return;
    put(set_.evol, proposed);
    ui_.set_position(id_evol, 100 - proposed);
    show_slider_text(id_evol);
}

void ConfigDialog::slow_tick() {
    const int32_t channels = get(st_.lastchannels);
    if ((channels == 1 && get(st_.stereoui) == 1) || (channels == 2 && get(st_.stereoui) == 0)) {
        bool stereo = channels == 2;
        put(st_.stereoui, stereo ? 1 : 0);
        ui_.enable(id_echo, stereo);
        for (int id : echo_list) ui_.enable(id, stereo);
    }
    echo_rule(true);

    const int32_t stepping = get(set_.stepping);
    ui_.set_text(id_rate_text, format("Sample Rate:\t\t\t%d", get(st_.lastrate)));
    ui_.set_text(id_channels_text, format("Channels:\t\t\t%d", channels));
    ui_.set_text(id_frames_text, format("Buffer Size:\t\t\t%d", get(st_.lastframes)));
    ui_.set_text(id_bits_text, format("Bits per channel:\t\t\t%d", get(st_.lastbits)));
    ui_.set_text(id_gain_text, format("Current Filter Volume:\t\t%% %d",
                                      percent_of_unity(get(st_.gain), stepping)));
    ui_.set_text(id_gainmax_text, format("Maximum Filter Volume:\t\t%% %d",
                                         percent_of_unity(get(st_.gainmax), stepping)));
    ui_.set_text(id_gainmin_text, format("Minimum Filter Volume:\t\t%% %d",
                                         percent_of_unity(get(st_.gainmin), stepping)));
    int32_t mode = get(st_.mathmode);
    ui_.set_text(id_mathmode_text, mode >= 0 && mode < 4 ? mathmode_names[mode] : "");
    // 64-bit, so a long session's counts do not wrap the percentage.
    uint64_t hits = st_.hits.load(std::memory_order_relaxed);
    uint64_t decided = hits + st_.misses.load(std::memory_order_relaxed);
    if (decided != 0)
        ui_.set_text(id_hitrate_text, format("Prediction Hit Rate:\t\t%% %d",
                                             static_cast<int>(hits * 100 / decided)));
}

void ConfigDialog::toggle(std::atomic<int32_t>& setting, int id) {
    int32_t now = get(setting) ? 0 : 1;
    put(setting, now);
    ui_.set_check(id, now != 0);
}

void ConfigDialog::suspend_or_reset() {
    int32_t suspended = get(st_.suspended) ? 0 : 1;
    put(st_.suspended, suspended);
    ui_.set_text(id_suspend, suspended ? "Reset" : "Suspend");
    // Buffers belong to processing: clear them between blocks.
    std::lock_guard<std::mutex> hold(st_.block_lock);
    if (suspended) {
        int32_t unity = 1 << snapshot(set_).stepping;
        for (auto* g : {&st_.gain, &st_.gainmax, &st_.gainmin}) put(*g, unity);
    }
    st_.history.store(0, std::memory_order_relaxed);
    std::memset(st_.echoline16, 0, sizeof st_.echoline16);
    std::memset(st_.floatout, 0, sizeof st_.floatout);
    std::memset(st_.floatin, 0, sizeof st_.floatin);
    for (auto& counter : st_.predtable) counter.store(7, std::memory_order_relaxed);
    st_.hits.store(0, std::memory_order_relaxed);
    st_.misses.store(0, std::memory_order_relaxed);
}

void ConfigDialog::command(int id) {
    switch (id) {
    case id_echo:
        toggle(set_.echo, id);
        put(st_.echorestart, 1);
        echo_rule(false);
        break;
    case id_emon: {
        toggle(set_.emon, id);
        bool on = get(set_.emon) == 1 && get(set_.echo) == 1;
        ui_.enable(id_elevel, on);
        ui_.enable(id_elevel_text, on);
        put(st_.evolauto, get(set_.evol));
        break;
    }
    case id_hq:
        toggle(set_.hq, id);
        put(st_.evolauto, get(set_.evol));
        break;
    case id_nle: toggle(set_.nle, id); break;
    case id_vpb:
        toggle(set_.vpb, id);
        if (get(set_.vpb) == 0) {
            std::lock_guard<std::mutex> hold(st_.block_lock);
            release_passband(st_);
        }
        break;
    case id_boost: toggle(set_.boost, id); break;
    case id_invert: toggle(set_.invert, id); break;
    case id_suspend: suspend_or_reset(); break;
    }
}

void ConfigDialog::slider_moved(int id) {
    const int p = ui_.position(id);
    if (id == id_stepping) {
        // The gain keeps its value in the new resolution.
        std::lock_guard<std::mutex> hold(st_.block_lock);
        const int32_t old = snapshot(set_).stepping, now = p < 1 ? 1 : p > 15 ? 15 : p;
        int32_t gain = static_cast<int32_t>((static_cast<int64_t>(get(st_.gain)) << now) >> old);
        put(st_.gain, gain);
        put(st_.gainmax, gain);
        put(st_.gainmin, 1 << now);
        put(set_.stepping, now);
        show_slider_text(id);
        return;
    }
    for (const Slider& s : sliders) {
        if (s.id != id) continue;
        if (id == id_edelay) put(st_.echorestart, 1);
        put(set_.*s.setting, s.base - p);
        show_slider_text(id);
    }
}

} // namespace levo
