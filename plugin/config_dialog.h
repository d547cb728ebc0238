// What the configuration dialog does: which settings and state each event
// changes and which texts, checks, slider positions and enable states result.
// The controls are reached through a small interface; the Win32 dialog
// procedure only forwards its events here.
#pragma once

#include <string>

#include "plugin/plugin_settings.h"
#include "plugin/plugin_state.h"

namespace levo {

// Control ids of dialog template 103.
enum ControlId {
    id_gain_text = 1001,
    id_gainmax_text = 1002,
    id_gainmin_text = 1003,
    id_level = 1004,
    id_level_text = 1005,
    id_stepping = 1006,
    id_stepping_text = 1007,
    id_rate_text = 1013,
    id_channels_text = 1014,
    id_frames_text = 1015,
    id_bits_text = 1016,
    id_echo = 1023,
    id_evol = 1024,
    id_evol_text = 1025,
    id_esep = 1026,
    id_esep_text = 1027,
    id_edelay = 1028,
    id_edelay_text = 1029,
    id_emon = 1030,
    id_elevel = 1031,
    id_elevel_text = 1032,
    id_hq = 1034,
    id_mathmode_text = 1036,
    id_suspend = 1037,
    id_hitrate_text = 1038,
    id_nle = 1039,
    id_vpb = 1056,
    id_boost = 1057,
    id_invert = 1058,
};

class DialogControls {
  public:
    virtual ~DialogControls() = default;
    virtual void set_check(int id, bool checked) = 0;
    virtual void set_range(int id, int low, int high) = 0;
    virtual void set_position(int id, int position) = 0;
    virtual int position(int id) = 0;
    virtual void set_text(int id, const std::string& text) = 0;
    virtual void enable(int id, bool enabled) = 0;
    virtual void move_to(int x, int y) = 0; // top-left corner, screen pixels
};

// Names of the arithmetic paths, by `mathmode`.
extern const char* const mathmode_names[4];

class ConfigDialog {
  public:
    ConfigDialog(PluginSettings& settings, PluginState& state, DialogControls& controls)
        : set_(settings), st_(state), ui_(controls) {}

    void initialise();
    void fast_tick(); // timer 1, every 25 ms: the echo monitor's volume
    void slow_tick(); // timer 0, every 50 ms: format, statistics, enabling
    void command(int id);
    void slider_moved(int id);

  private:
    void echo_rule(bool needs_stereo);
    void show_slider_text(int id);
    void toggle(std::atomic<int32_t>& setting, int id);
    void suspend_or_reset();

    PluginSettings& set_;
    PluginState& st_;
    DialogControls& ui_;
};

} // namespace levo
