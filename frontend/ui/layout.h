// The window and every control in it, as one table in creation order. The
// Win32 layer walks the table to build the window; tests check it row by row.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/settings/settings.h"
#include "frontend/ui/control_ids.h"

namespace ui {

enum class Kind {
    button,
    check_box,
    caption,              // static text
    text_field,           // single line, framed
    group_frame,          // a labelled box
    choice_list,          // drop-down list, text not editable
    editable_choice_list, // drop-down with an edit box
    slider,               // horizontal track bar
    image,
    list_box, // single selection
    tab_panel,
};

enum class Font {
    tahoma,         // Tahoma, 8 points
    dialog_default, // the system's default dialog font
};

// Keyboard limits of a text field.
enum Entry : unsigned {
    any_text = 0,
    digits_only = 1,     // only 0 to 9 can be typed
    three_characters = 2 // at most three characters can be typed
};

// Left, top, width and height in pixels: in the window's client area for
// the window's own controls, in the page otherwise. A choice list's height
// is that of its opened list.
struct Rect {
    int left, top, width, height;
};

struct ControlSpec {
    Ctl id;
    Kind kind;
    const char* text; // as stored: "&&" shows one "&"; nullptr: the bound field's value
    Rect rect;
    const char* field; // settings key of the bound field, or nullptr
    Font font;
    unsigned entry; // Entry flags of a text field
};

constexpr const char* window_title = "quorbel";
constexpr int client_width = 308, client_height = 359;
extern const char* const tab_names[page_count];

// Every control, in creation order: the window's own first, then page by page.
const std::vector<ControlSpec>& layout();
const ControlSpec& control_spec(Ctl id);

// The settings field a control shows, or nullptr.
const settings::FieldSpec* bound_field(const ControlSpec& control);
// The control that shows a field. Every field has exactly one, except the
// toolchain fields: the window's system menu shows `x264cli` and `x264input`.
std::optional<Ctl> control_of(const settings::FieldSpec& field);

// The text a control has when it is created.
std::string initial_text(const ControlSpec& control);
// The items a choice list gets at creation: the bound field's choice names,
// or the matrices of `cqm`; the configuration and include lists start empty.
std::vector<std::string> fixed_items(const ControlSpec& control);
// A slider's range: the limits of its bound field.
std::pair<int, int> slider_range(const ControlSpec& control);

} // namespace ui
