// What every load of settings ends with on the window's side: every field
// shown in its control, then the rules and clamps in their fixed order.
#pragma once

#include "frontend/settings/settings_file.h"
#include "frontend/ui/control_view.h"

namespace ui {

// The corrections after every load: mirrors, control-state rules and clamps
// in their fixed order.
void post_load_pass(settings::Settings& s, ControlView& view);

// A load's listener that puts the read values into the controls of a view.
class RulesOnLoad final : public settings::LoadListener {
  public:
    explicit RulesOnLoad(ControlView& view) : view_(view) {}
    void audio_flag_read(const settings::Settings& s) override;
    void log_flag_read(const settings::Settings& s) override;
    std::vector<std::string> include_items() override { return view_.include_items(); }
    void loaded(settings::Settings& s) override;

  private:
    ControlView& view_;
};

} // namespace ui
