// What the control-state rules need from the window: enable, show and caption
// controls, hear about fields a rule rewrote, and ask the user the few
// questions a rule may raise. The window implements it over Win32; the
// headless view serves command-line use and tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/settings/settings.h"

namespace ui {

// The controls whose state the rules change.
enum class Ctl {
    value_caption,
    range_hint,
    size_box,
    crf_caption,
    logo,
    minsize_caption,
    maxsize_caption,
    kfb,
    bfr,
    vbr,
    minqp,
    maxqp,
    qps,
    vbs,
    vmb,
    vib,
    bv,
    upstat,
    statsname,
    stats_button,
    auto1pcrf,
    minsize,
    maxsize,
    a3,
    a4,
    a5,
    dm,
    biasbar,
    bias,
    bref,
    bme,
    ba,
    bwb,
    mxref,
    cme,
    range,
    trellis_caption,
    aub,
    aub_unit,
    logname,
    log_button,
    aq1,
    aq2,
};

class ControlView {
  public:
    virtual ~ControlView() = default;
    virtual void enable(Ctl control, bool enabled) = 0;
    virtual void show(Ctl control, bool shown) = 0;
    virtual void set_caption(Ctl control, const std::string& text) = 0;
    // A rule has rewritten this field; its control must show the new value.
    virtual void field_changed(const settings::FieldSpec& field) = 0;
    // "Select a matrix file": the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> ask_matrix_file() = 0;
    // A message box with an OK button.
    virtual void warn(const std::string& title, const std::string& text) = 0;
    // The items of the AviSynth include list, in list order.
    virtual std::vector<std::string> include_items() = 0;
};

// No window: control states go nowhere, questions are cancelled.
class HeadlessView final : public ControlView {
  public:
    explicit HeadlessView(std::vector<std::string> includes = {})
        : includes_(std::move(includes)) {}
    void enable(Ctl, bool) override {}
    void show(Ctl, bool) override {}
    void set_caption(Ctl, const std::string&) override {}
    void field_changed(const settings::FieldSpec&) override {}
    std::optional<std::string> ask_matrix_file() override { return std::nullopt; }
    void warn(const std::string&, const std::string&) override {}
    std::vector<std::string> include_items() override { return includes_; }

  private:
    std::vector<std::string> includes_;
};

} // namespace ui
