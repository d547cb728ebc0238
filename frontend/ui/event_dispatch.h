// Which handler runs for which event of which control.
#pragma once

#include <vector>

#include "frontend/ui/front_end.h"

namespace ui {

enum class When { any, changed, focus_lost };

struct Dispatch {
    Ctl control;
    When when;
    void (*handler)(FrontEnd& app, Ctl control);
};

// Controls not in the table have no handler; their events only update
// their bound fields.
const std::vector<Dispatch>& dispatch_table();

} // namespace ui
