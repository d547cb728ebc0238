// The plug-in as a host sees it: the one export, the header and module
// records, and the module's lifecycle slots.
#include <cstdio>
#include <cstring>

#include "plugin/cpu_feature.h"
#include "plugin/gain_control.h"
#include "plugin/plugin_abi.h"
#include "plugin/plugin_os.h"

#if defined(_WIN32)
#define LEVO_EXPORT __declspec(dllexport)
#else
#define LEVO_EXPORT __attribute__((visibility("default")))
#endif

namespace levo {

PluginSettings settings;
PluginState state;

} // namespace levo

namespace {

using namespace levo;

PluginModule* LEVO_CDECL moduleByIndex(int32_t index);
void LEVO_CDECL showConfig(PluginModule*);
int32_t LEVO_CDECL initModule(PluginModule* module);
int32_t LEVO_CDECL processSlot(PluginModule*, short* samples, int32_t numsamples, int32_t bps,
                               int32_t nch, int32_t srate);
void LEVO_CDECL quitModule(PluginModule*);

PluginHeader header = {0x20, "Levoria Audio Filter", moduleByIndex};
PluginModule module = {"Levoria Automatic Gain Controller",
                       nullptr,
                       nullptr,
                       showConfig,
                       initModule,
                       processSlot,
                       quitModule,
                       nullptr};

PluginModule* LEVO_CDECL moduleByIndex(int32_t index) {
    return index == 0 ? &module : nullptr;
}

void LEVO_CDECL showConfig(PluginModule*) {
    os::show_dialog(state.dialog.load());
}

int32_t LEVO_CDECL initModule(PluginModule* m) {
    {
        std::lock_guard<std::mutex> hold(state.block_lock);
        std::memset(state.work16, 0, sizeof state.work16);
        std::memset(state.echoline16, 0, sizeof state.echoline16);
        std::memset(state.floatin, 0, sizeof state.floatin);
        std::memset(state.floatout, 0, sizeof state.floatout);
    }
    for (auto& counter : state.predtable) counter.store(7, std::memory_order_relaxed);

    int32_t x = os::read_profile_int("wndx", 50), y = os::read_profile_int("wndy", 50);
    os::Rect desk = os::desktop_rect();
    if (x > desk.right || x < 0 || y > desk.bottom || y < 0) x = y = 50;
    put(settings.wndx, x);
    put(settings.wndy, y);
    for (const SettingKey& k : setting_keys)
        if (k.field != &PluginSettings::wndx && k.field != &PluginSettings::wndy)
            put(settings.*k.field, clamp_setting(k, os::read_profile_int(k.key, k.default_value)));
    put(state.evolauto, get(settings.evol));

    // Unity gain; a stepping beyond what the fixed-point arithmetic allows
    // is taken at its nearest usable value.
    int32_t stepping = snapshot(settings).stepping;
    for (auto* g : {&state.gain, &state.gainmax, &state.gainmin}) put(*g, 1 << stepping);

    put(state.hasmmx, cpuFeature(Feature::mmx));
    put(state.has3dnow, cpuFeature(Feature::amd3dnow));
    state.dialog.store(os::create_dialog(m));
    return 0;
}

int32_t LEVO_CDECL processSlot(PluginModule*, short* samples, int32_t numsamples, int32_t bps,
                               int32_t nch, int32_t srate) {
    return processSamples(state, settings, samples, numsamples, bps, nch, srate);
}

void LEVO_CDECL quitModule(PluginModule*) {
    void* dialog = state.dialog.load();
    os::Rect r;
    if (dialog && os::dialog_rect(dialog, r)) {
        put(settings.wndx, r.left);
        put(settings.wndy, r.top);
    }
    for (const SettingKey& k : setting_keys) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", get(settings.*k.field));
        os::write_profile_string(k.key, text);
    }
    if (dialog) {
        os::destroy_dialog(dialog);
        state.dialog.store(nullptr);
    }
}

} // namespace

extern "C" LEVO_EXPORT PluginHeader* LEVO_CDECL winampDSPGetHeader2() {
    return &header;
}
