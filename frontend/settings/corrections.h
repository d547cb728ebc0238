// The corrections of the settings themselves, which every load, every
// `--set` and the window's own events need: clamps into the limits, the
// check of `value` against its mode, and the mirrors of the sliders. Each
// returns the fields it changed, so that a window can show them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/settings/settings.h"

namespace settings {

using Changed = std::vector<const FieldSpec*>;

// `value` against its mode's limits (0..51 in modes 1 and 2, 0..8000 in the
// others) while `sizemode` is 0; with "Size" ticked it is a size, unlimited.
Changed validate_value(Settings& s);
// A text field against its limits from the schema.
Changed clamp(Settings& s, std::string Settings::*field);
// `fa`, `fb` from the deblocking sliders.
Changed deblock_mirrors(Settings& s);
// `bias` from its slider.
Changed bias_from_slider(Settings& s);
// The bias slider from `bias`; beyond 0..200 it stops at its end and the
// field keeps its text.
Changed slider_from_bias(Settings& s);

// After every load and every `--set`, in this fixed order: the mirrors,
// `value`, then the clamps of `kfb`, `bfr`, `vbr`, `minqp`, `maxqp`, `qps`,
// `mb`, `ref`, `thr`, `range`, `sct`, `vbs`, `vmb`, `vib` and `bv`.
Changed correct_after_load(Settings& s);

// `avsinc` names an item of the AviSynth include list, which every wrapper
// imports: it stays when it is listed, else the list's first item is chosen;
// it is empty only when the list is.
Changed choose_include(Settings& s, const std::vector<std::string>& includes);

// "custom..." in `cqm` asks for a matrix file: the chosen file in double
// quotes, or "flat" when none was chosen.
Changed take_matrix_file(Settings& s, const std::optional<std::string>& chosen);

} // namespace settings
