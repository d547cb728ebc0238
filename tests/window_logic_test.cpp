// The window's portable logic: the layout table, the binding of fields to
// controls, start-up and the dispatch of events, over a recording view.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "front_end_fixture.h"
#include "frontend/ui/front_end.h"
#include "frontend/ui/layout.h"

using namespace ui;

namespace {

const char* const kind_names[] = {"button",
                                  "check box",
                                  "caption",
                                  "text field",
                                  "group frame",
                                  "choice list",
                                  "editable choice list",
                                  "slider",
                                  "image",
                                  "list box",
                                  "tab panel"};
const char* const page_names[] = {"Bitrate", "Rate Control", "MBs&&Frames", "More", "Job"};

// One row as "page | kind | text | left,top,width,height | setting | notes".
std::string row_text(const ControlSpec& c) {
    std::ostringstream out;
    Page page = page_of(c.id);
    out << (page == Page::none ? "window" : page_names[static_cast<int>(page)]) << " | "
        << kind_names[static_cast<int>(c.kind)] << " | ";
    switch (c.kind) {
    case Kind::image: out << "the logo picture"; break;
    case Kind::slider: {
        auto [low, high] = slider_range(c);
        out << "range " << low << " to " << high;
        break;
    }
    case Kind::tab_panel:
        for (int i = 0; i < 5; ++i) out << (i ? ", " : "") << '"' << tab_names[i] << '"';
        break;
    case Kind::choice_list:
    case Kind::editable_choice_list:
    case Kind::list_box: break;
    default: out << '"' << initial_text(c) << '"';
    }
    out << " | " << c.rect.left << ',' << c.rect.top << ',' << c.rect.width << ',' << c.rect.height
        << " | " << (c.field ? c.field : "") << " | ";
    std::vector<std::string> notes;
    if (c.font == Font::dialog_default) notes.push_back("default font");
    if (c.entry & digits_only) notes.push_back("digits only");
    if (c.entry & three_characters) notes.push_back("3 characters");
    for (size_t i = 0; i < notes.size(); ++i) out << (i ? ", " : "") << notes[i];
    return out.str();
}

} // namespace

TEST(Layout, IsTheWindowTableRowByRow) {
    std::ifstream in(QUORBEL_TEST_DATA "/window_layout.txt");
    ASSERT_TRUE(in);
    std::string expected;
    std::vector<std::string> want;
    while (std::getline(in, expected)) want.push_back(expected);
    ASSERT_EQ(layout().size(), want.size());
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(row_text(layout()[i]), want[i]) << "row " << i;
}

TEST(Layout, IdsRunInCreationOrderWithinEachPageAndEveryFieldHasOneControl) {
    for (size_t i = 1; i < layout().size(); ++i) {
        const ControlSpec &a = layout()[i - 1], &b = layout()[i];
        if (page_of(a.id) == page_of(b.id)) {
            EXPECT_EQ(static_cast<int>(b.id), static_cast<int>(a.id) + 1) << i;
        }
    }
    for (const settings::FieldSpec& f : settings::schema()) {
        int bound = 0;
        for (const ControlSpec& c : layout()) bound += bound_field(c) == &f;
        // The toolchain fields are shown by the system menu, or not at all.
        EXPECT_EQ(bound, f.toolchain ? 0 : 1) << f.key;
    }
}

using test::FrontEndTest;

TEST_F(FrontEndTest, StartFillsListsAppliesStartStatesAndLoadsTheDefaults) {
    for (const char* sub : {"configs", "avsinc", "configs/folder.ini"})
        os.create_folder(dir.file(sub));
    os.write_file(dir.file("configs/fast.ini"), "mode = 0\r\n");
    os.write_file(dir.file("avsinc/deint.avs"), "");
    app.start();

    EXPECT_EQ(view.items[Ctl::cfgname], std::vector<std::string>{"fast"});
    EXPECT_EQ(view.items[Ctl::avsinc], std::vector<std::string>{"deint"});
    EXPECT_EQ(view.items[Ctl::mode].size(), 14u);
    EXPECT_EQ(view.items[Ctl::cqm], (std::vector<std::string>{"flat", "jvt", "custom..."}));
    EXPECT_EQ(view.items[Ctl::tre], (std::vector<std::string>{"0", "1", "2"}));
    // No quorbel.ini: the built-in defaults and the states their rules demand.
    EXPECT_EQ(s.mode, 1);
    EXPECT_EQ(s.value, "26");
    EXPECT_EQ(s.dm, 0);
    EXPECT_EQ(view.captions[Ctl::value_caption], "Quantizer");
    EXPECT_FALSE(view.shown[Ctl::size_box]);
    EXPECT_FALSE(view.enabled[Ctl::vbr]);
    EXPECT_TRUE(view.enabled[Ctl::logname]); // crelog 1 from the missing key
    EXPECT_FALSE(os.file_exists(dir.file("default.ini")));

    EXPECT_TRUE(app.shut_down());
    EXPECT_NE(test::read(dir.file("quorbel.ini")).find("mode = 1\r\n"), std::string::npos);
}

TEST_F(FrontEndTest, StartReadsTheProgramFoldersSettingsFile) {
    os.write_file(dir.file("quorbel.ini"), "mode = 8\r\nvalue = 9000\r\nmb = 1\r\n");
    app.start();
    EXPECT_EQ(s.mode, 8);
    EXPECT_EQ(s.value, "8000");
    EXPECT_FALSE(view.enabled[Ctl::bref]);
    EXPECT_TRUE(view.enabled[Ctl::bme]);
}

TEST_F(FrontEndTest, EventsSetTheBoundFieldThenRunTheControlsHandlers) {
    app.start();
    // `value` is clamped by mode on text changes; other clamps on any event.
    user(Ctl::value, Event::changed, "400");
    EXPECT_EQ(s.value, "51");
    user(Ctl::mode, Event::changed, "8");
    user(Ctl::value, Event::changed, "9000");
    EXPECT_EQ(s.value, "8000");
    user(Ctl::value, Event::focus_lost, "9001");
    EXPECT_EQ(s.value, "9001"); // only a text change clamps `value`
    user(Ctl::kfb, Event::focus_lost, "950");
    EXPECT_EQ(s.kfb, "900");
    user(Ctl::ref, Event::changed, "3");
    EXPECT_TRUE(view.enabled[Ctl::mxref]);

    // The bias slider follows its field only when the field loses the focus.
    user(Ctl::bias, Event::changed, "50");
    EXPECT_EQ(s.biasbar, 100);
    user(Ctl::bias, Event::focus_lost, "50");
    EXPECT_EQ(s.biasbar, 150);
    user(Ctl::deb_a, Event::changed, "0");
    EXPECT_EQ(s.fa, "-6");

    // A control without a handler only updates its field.
    user(Ctl::mingop, Event::changed, "99999");
    EXPECT_EQ(s.mingop, "99999");
    EXPECT_FALSE(app.closing());
    user(Ctl::cancel, Event::changed, "");
    EXPECT_TRUE(app.closing());
}

TEST_F(FrontEndTest, AqWarnsEachTimeItIsTickedAndNeverOnALoad) {
    app.start();
    user(Ctl::aq, Event::changed, "1");
    user(Ctl::aq, Event::changed, "0");
    EXPECT_FALSE(view.enabled[Ctl::aq1]);
    user(Ctl::aq, Event::changed, "1");
    EXPECT_TRUE(view.enabled[Ctl::aq2]);
    // The warnings are message boxes of the dialogs, never of the controls.
    std::vector<std::string> warnings;
    for (const std::string& asked : dialogs.asked)
        if (asked.rfind("message|Warning!|", 0) == 0) warnings.push_back(asked.substr(8));
    EXPECT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], "Warning!|Only Quillfin's x264 support AQ parameter!");
}
