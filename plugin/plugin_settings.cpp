#include "plugin/plugin_settings.h"

namespace levo {

using S = PluginSettings;

const SettingKey setting_keys[15] = {
    {"wndx", 50, &S::wndx},        {"wndy", 50, &S::wndy},     {"level", 75, &S::level},
    {"stepping", 8, &S::stepping}, {"echo", 0, &S::echo},      {"esep", 50, &S::esep},
    {"evol", 75, &S::evol},        {"edelay", 20, &S::edelay}, {"emon", 0, &S::emon},
    {"elevel", 25, &S::elevel},    {"hq", 0, &S::hq},          {"nle", 0, &S::nle},
    {"vpb", 0, &S::vpb},           {"boost", 1, &S::boost},    {"invert", 0, &S::invert},
};

} // namespace levo
