// The configuration dialog's controls, faked: each remembers what it was given.
#pragma once

#include <map>
#include <string>

#include "plugin/config_dialog.h"

namespace test {

using levo::DialogControls;

struct FakeControls final : DialogControls {
    std::map<int, bool> checked, enabled;
    std::map<int, std::pair<int, int>> ranges;
    std::map<int, int> positions;
    std::map<int, std::string> texts;
    int x = -1, y = -1;
    void set_check(int id, bool c) override { checked[id] = c; }
    void set_range(int id, int lo, int hi) override { ranges[id] = {lo, hi}; }
    void set_position(int id, int p) override { positions[id] = p; }
    int position(int id) override { return positions[id]; }
    void set_text(int id, const std::string& t) override { texts[id] = t; }
    void enable(int id, bool e) override { enabled[id] = e; }
    void move_to(int nx, int ny) override { x = nx, y = ny; }
};

} // namespace test
