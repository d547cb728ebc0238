// The real window on wine, built in this process: its controls against the
// layout table, its start states, the rules by mode, and events made as a
// user makes them.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

#include "front_end_fixture.h"
#include "frontend/ui/layout.h"
#include "frontend/ui/resource_ids.h"
#include "frontend/ui/window.h"
#include "test_support.h"

using namespace ui;

namespace {

HWND hwnd(void* h) {
    return static_cast<HWND>(h);
}

std::string text_of(HWND h) {
    char buf[512] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

std::string class_name(HWND h) {
    char buf[64] = {};
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

bool visible_flag(HWND h) {
    return (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) != 0;
}

const char* expected_class(Kind kind) {
    switch (kind) {
    case Kind::button:
    case Kind::check_box:
    case Kind::group_frame: return "Button";
    case Kind::caption:
    case Kind::image: return "Static";
    case Kind::text_field: return "Edit";
    case Kind::choice_list:
    case Kind::editable_choice_list: return "ComboBox";
    case Kind::slider: return "msctls_trackbar32";
    case Kind::list_box: return "ListBox";
    case Kind::tab_panel: return "SysTabControl32";
    }
    return "";
}

// The logo as quorbel.exe carries it, loaded from the program's resources.
struct Logo {
    HMODULE module = LoadLibraryExA(QUORBEL_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HANDLE bitmap = module ? LoadImageA(module, MAKEINTRESOURCEA(QUORBEL_LOGO_BITMAP), IMAGE_BITMAP,
                                        0, 0, LR_DEFAULTCOLOR)
                           : nullptr;
    ~Logo() {
        if (bitmap) DeleteObject(bitmap);
        if (module) FreeLibrary(module);
    }
};

class WindowTest : public ::testing::Test {
  protected:
    test::TempFolder dir;
    Logo logo;
    // An x264.exe of the classic era and AviSynth: no start-up question.
    test::FakeTools tools = test::FrontEndTest::classic_era_tools();
    // Questions are answered here: the test opens no message box of its own.
    test::ScriptedDialogs dialogs;
    Window window{{platform::native_os(), platform::native_media_probe(),
                   platform::native_processes(), tools},
                  dir.path(),
                  &dialogs};

    HWND at(Ctl id) { return hwnd(window.control(id)); }
    void start() {
        window.create(logo.bitmap);
        window.front_end().start();
    }
    // A user's choice in a list: the list selects the item and tells its page.
    void choose(Ctl id, int index) {
        SendMessageA(at(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(GetParent(at(id)), WM_COMMAND, MAKEWPARAM(static_cast<int>(id), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(at(id)));
    }
    void type(Ctl id, const char* text) {
        SendMessageA(at(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    void click(Ctl id) { SendMessageA(at(id), BM_CLICK, 0, 0); }
    bool checked(Ctl id) { return SendMessageA(at(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool enabled(Ctl id) { return IsWindowEnabled(at(id)) != 0; }
    bool shown(Ctl id) { return visible_flag(at(id)); }
    std::string text(Ctl id) { return text_of(at(id)); }
};

} // namespace

TEST_F(WindowTest, EveryControlOfTheTableOnItsPageWithItsClassTextFontAndStyle) {
    window.create(logo.bitmap);
    HWND main = hwnd(window.handle());
    EXPECT_EQ(text_of(main), "quorbel");
    RECT client, outer;
    GetClientRect(main, &client);
    GetWindowRect(main, &outer);
    EXPECT_EQ(client.right, 308);
    EXPECT_EQ(client.bottom, 359);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    LONG style = GetWindowLongA(main, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(IsWindowVisible(main));

    HWND tabs = at(Ctl::tabs);
    ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) {
        char buf[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = buf;
        item.cchTextMax = sizeof buf;
        SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(buf, tab_names[i]);
        EXPECT_EQ(IsWindowVisible(hwnd(window.page(static_cast<Page>(i)))), i == 0) << i;
    }

    HGDIOBJ dialog_font = GetStockObject(DEFAULT_GUI_FONT);
    for (const ControlSpec& c : layout()) {
        SCOPED_TRACE(static_cast<int>(c.id));
        HWND h = at(c.id);
        ASSERT_TRUE(h);
        Page page = page_of(c.id);
        HWND parent = page == Page::none ? main : hwnd(window.page(page));
        EXPECT_EQ(GetParent(h), parent);
        EXPECT_EQ(GetDlgCtrlID(h), static_cast<int>(c.id));
        EXPECT_STRCASEEQ(class_name(h).c_str(), expected_class(c.kind));

        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, c.rect.left);
        EXPECT_EQ(r.top, c.rect.top);
        EXPECT_EQ(r.right - r.left, c.rect.width);
        bool list = c.kind == Kind::choice_list || c.kind == Kind::editable_choice_list;
        if (list) {
            // The list's height: the closed box and the opened list make up
            // the table's height, less the few pixels of the list's frame.
            RECT dropped;
            SendMessageA(h, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            EXPECT_NEAR(dropped.bottom - dropped.top + (r.bottom - r.top), c.rect.height, 3);
            DWORD type = GetWindowLongA(h, GWL_STYLE) & 3;
            EXPECT_EQ(type,
                      c.kind == Kind::choice_list ? DWORD(CBS_DROPDOWNLIST) : DWORD(CBS_DROPDOWN));
        } else {
            EXPECT_EQ(r.bottom - r.top, c.rect.height);
        }
        if (c.kind != Kind::image && c.kind != Kind::tab_panel && !list &&
            c.kind != Kind::list_box) {
            EXPECT_EQ(text_of(h), initial_text(c));
        }

        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(h, WM_GETFONT, 0, 0));
        if (c.kind == Kind::image || c.kind == Kind::slider) {
            // No text, and no font kept.
        } else if (c.font == Font::dialog_default) {
            EXPECT_EQ(font, dialog_font);
        } else {
            LOGFONTA lf = {};
            ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
            EXPECT_STREQ(lf.lfFaceName, "Tahoma");
            HDC dc = GetDC(nullptr);
            EXPECT_EQ(lf.lfHeight, -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72));
            ReleaseDC(nullptr, dc);
        }
        if (c.kind == Kind::text_field) {
            EXPECT_EQ((GetWindowLongA(h, GWL_STYLE) & ES_NUMBER) != 0,
                      (c.entry & digits_only) != 0);
            LRESULT limit = SendMessageA(h, EM_GETLIMITTEXT, 0, 0);
            if (c.entry & three_characters) {
                EXPECT_EQ(limit, 3);
            } else {
                EXPECT_GT(limit, 3);
            }
        }
        if (c.kind == Kind::slider) {
            auto [low, high] = slider_range(c);
            EXPECT_EQ(SendMessageA(h, TBM_GETRANGEMIN, 0, 0), low);
            EXPECT_EQ(SendMessageA(h, TBM_GETRANGEMAX, 0, 0), high);
        }
    }

    // The logo: the program's 200 × 59 bitmap of 8 bits per pixel, shown unscaled.
    HRSRC res =
        FindResourceA(logo.module, MAKEINTRESOURCEA(QUORBEL_LOGO_BITMAP), MAKEINTRESOURCEA(2));
    ASSERT_TRUE(res);
    EXPECT_EQ(SizeofResource(logo.module, res),
              12366u - 14u); // resources hold it without the file header
    HANDLE shown_image =
        reinterpret_cast<HANDLE>(SendMessageA(at(Ctl::logo), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP bm = {};
    ASSERT_TRUE(GetObjectA(shown_image, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 200);
    EXPECT_EQ(bm.bmHeight, 59);
}

TEST_F(WindowTest, AFreshStartShowsTheDefaultsAndCancelSavesIntoTheProgramFolder) {
    start();
    for (const ControlSpec& c : layout()) {
        if (c.kind == Kind::choice_list && c.id != Ctl::avsinc) {
            EXPECT_EQ(static_cast<size_t>(SendMessageA(at(c.id), CB_GETCOUNT, 0, 0)),
                      fixed_items(c).size());
        }
    }
    EXPECT_EQ(SendMessageA(at(Ctl::mode), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(text(Ctl::mode), "Single Pass - Quantizer");
    EXPECT_EQ(text(Ctl::value), "26");
    EXPECT_EQ(text(Ctl::dm), "Temporal");
    EXPECT_EQ(text(Ctl::tre), "0");
    EXPECT_EQ(text(Ctl::cqm), "flat");
    EXPECT_EQ(text(Ctl::fa), "0");
    EXPECT_EQ(SendMessageA(at(Ctl::biasbar), TBM_GETPOS, 0, 0), 100);
    EXPECT_TRUE(checked(Ctl::dctd));
    EXPECT_TRUE(checked(Ctl::cme));
    EXPECT_FALSE(enabled(Ctl::upstat));
    EXPECT_FALSE(enabled(Ctl::aub));
    EXPECT_FALSE(shown(Ctl::size_box));
    EXPECT_FALSE(shown(Ctl::auto1pcrf));
    EXPECT_FALSE(shown(Ctl::minsize));
    EXPECT_TRUE(shown(Ctl::logo));

    PostMessageA(at(Ctl::cancel), BM_CLICK, 0, 0);
    window.run(); // returns once "Cancel" has ended the loop
    EXPECT_FALSE(IsWindow(hwnd(window.handle())));
    EXPECT_TRUE(window.front_end().shut_down());
    std::string saved = test::read(dir.file("quorbel.ini"));
    EXPECT_NE(saved.find("mode = 1\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("value = 26\r\n"), std::string::npos) << saved;
}

TEST_F(WindowTest, ModeRulesForEveryModeWithAndWithoutSize) {
    start();
    struct Row {
        const char *caption, *hint;
        bool size_box, rate_fields, bv, stats, crf, size_rows;
    };
    const Row bitrate = {"Average Bitrate", "Range 0~8000", true, true, true, false, false, false};
    const Row quantizer = {"Quantizer", "Range 0~51", false, true, false, true, false, false};
    Row by_mode[14];
    by_mode[0] = bitrate;
    by_mode[1] = {"Quantizer", "Range 0~51", false, false, false, false, false, false};
    by_mode[2] = {"Quantizer", "Range 0~51", false, true, false, false, false, false};
    for (int m : {3, 4, 5, 6, 7})
        by_mode[m] = {bitrate.caption, bitrate.hint, true, true, true, true, false, false};
    for (int m : {8, 9, 12}) by_mode[m] = quantizer;
    for (int m : {10, 11})
        by_mode[m] = {bitrate.caption, bitrate.hint, true, true, true, true, true, false};
    by_mode[13] = {bitrate.caption, bitrate.hint, true, true, true, true, true, true};

    for (int sizemode : {0, 1}) {
        choose(Ctl::mode, 0);
        if (checked(Ctl::size_box) != (sizemode == 1)) click(Ctl::size_box);
        for (int mode = 0; mode < 14; ++mode) {
            SCOPED_TRACE("mode " + std::to_string(mode) + " sizemode " + std::to_string(sizemode));
            choose(Ctl::mode, mode);
            Row r = by_mode[mode];
            bool sized = sizemode == 1 && r.size_box;
            EXPECT_EQ(text(Ctl::value_caption), sized ? "Size in MB" : r.caption);
            EXPECT_EQ(text(Ctl::range_hint), sized ? "" : r.hint);
            EXPECT_EQ(shown(Ctl::size_box), r.size_box);
            EXPECT_EQ(checked(Ctl::size_box), sizemode == 1); // hidden, it keeps its tick
            for (Ctl c : {Ctl::vbr, Ctl::minqp, Ctl::maxqp, Ctl::qps, Ctl::vbs, Ctl::vmb, Ctl::vib})
                EXPECT_EQ(enabled(c), r.rate_fields) << static_cast<int>(c);
            EXPECT_EQ(enabled(Ctl::bv), r.bv);
            for (Ctl c : {Ctl::upstat, Ctl::statsname, Ctl::stats_button})
                EXPECT_EQ(enabled(c), r.stats);
            EXPECT_EQ(shown(Ctl::auto1pcrf), r.crf);
            EXPECT_EQ(shown(Ctl::crf_caption), r.crf);
            EXPECT_EQ(shown(Ctl::logo), !r.size_rows);
            for (Ctl c : {Ctl::minsize, Ctl::maxsize, Ctl::minsize_caption, Ctl::maxsize_caption})
                EXPECT_EQ(shown(c), r.size_rows);
        }
    }
}

TEST_F(WindowTest, EventsAsAUserMakesThem) {
    start();
    // `value` is clamped by mode as it is typed.
    choose(Ctl::mode, 1);
    type(Ctl::value, "400");
    EXPECT_EQ(text(Ctl::value), "51");
    choose(Ctl::mode, 8);
    type(Ctl::value, "9000");
    EXPECT_EQ(text(Ctl::value), "8000");
    EXPECT_EQ(window.front_end().settings.value, "8000");
    type(Ctl::value, "70");
    EXPECT_EQ(text(Ctl::value), "70");
    type(Ctl::kfb, "1000");
    EXPECT_EQ(text(Ctl::kfb), "900");
    type(Ctl::ref, "2");
    EXPECT_TRUE(enabled(Ctl::mxref));

    // B-frames: one greys "Use as references" and keeps its tick.
    window.select_page(2);
    click(Ctl::bref);
    type(Ctl::mb, "1");
    EXPECT_FALSE(enabled(Ctl::bref));
    EXPECT_FALSE(enabled(Ctl::bwb));
    EXPECT_TRUE(checked(Ctl::bref));
    type(Ctl::mb, "0");
    EXPECT_FALSE(enabled(Ctl::dm));
    type(Ctl::mb, "20");
    EXPECT_EQ(text(Ctl::mb), "16");
    EXPECT_TRUE(enabled(Ctl::bref));

    // The bias slider moves only when the field loses the focus.
    SetFocus(at(Ctl::bias));
    type(Ctl::bias, "50");
    EXPECT_EQ(SendMessageA(at(Ctl::biasbar), TBM_GETPOS, 0, 0), 100);
    SetFocus(at(Ctl::mb));
    EXPECT_EQ(SendMessageA(at(Ctl::biasbar), TBM_GETPOS, 0, 0), 150);
    // Sliders moved from the keyboard mirror into their texts.
    SendMessageA(at(Ctl::biasbar), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(text(Ctl::bias), "-100");
    window.select_page(3);
    SendMessageA(at(Ctl::deb_a), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(text(Ctl::fa), "6");
    EXPECT_EQ(window.front_end().settings.deb_a, 12);

    // Check boxes and lists drive their rules.
    click(Ctl::cab);
    EXPECT_FALSE(enabled(Ctl::trellis_caption));
    EXPECT_TRUE(enabled(Ctl::tre));
    click(Ctl::aud);
    EXPECT_TRUE(enabled(Ctl::aub));
    choose(Ctl::ae, 6);
    EXPECT_EQ(text(Ctl::aub_unit), "Quality");
    choose(Ctl::ae, 5);
    EXPECT_EQ(text(Ctl::aub_unit), "Kbps");
    choose(Ctl::m, 2);
    EXPECT_FALSE(enabled(Ctl::cme));
    choose(Ctl::ms, 3);
    EXPECT_TRUE(enabled(Ctl::range));
    window.select_page(0);
    click(Ctl::crelog);
    EXPECT_FALSE(enabled(Ctl::logname));
    EXPECT_FALSE(enabled(Ctl::log_button));
    EXPECT_EQ(window.front_end().settings.crelog, 0);
}

TEST_F(WindowTest, TheAqWarningEachTimeAqIsTicked) {
    start();
    window.select_page(1);
    click(Ctl::aq);
    EXPECT_TRUE(enabled(Ctl::aq1));
    click(Ctl::aq);
    EXPECT_FALSE(enabled(Ctl::aq2));
    click(Ctl::aq);
    int boxes = 0;
    for (const std::string& asked : dialogs.asked)
        boxes += asked == "message|Warning!|Only Quillfin's x264 support AQ parameter!";
    EXPECT_EQ(boxes, 2);
    EXPECT_FALSE(FindWindowA("#32770", "Warning!")); // no real box was opened
}

TEST_F(WindowTest, CustomMatrixAsksThroughTheDialogsOnAChoiceAndOnALoad) {
    platform::native_os().write_file(dir.file("quorbel.ini"), "cqm = custom...\r\n");
    start();
    EXPECT_EQ(dialogs.asked.back(), "open|Select a matrix file||*.*|*.*");
    EXPECT_EQ(text(Ctl::cqm), "flat");
    dialogs.files = {std::string("C:\\mats\\my.cfg")};
    choose(Ctl::cqm, 2); // "custom..."
    EXPECT_EQ(window.front_end().settings.cqm, "\"C:\\mats\\my.cfg\"");
    EXPECT_EQ(text(Ctl::cqm), "\"C:\\mats\\my.cfg\"");
    EXPECT_EQ(std::count(dialogs.asked.begin(), dialogs.asked.end(),
                         "open|Select a matrix file||*.*|*.*"),
              2);
}

TEST_F(WindowTest, OutOfRangeSettingsAtStartLeaveTheControlsAsTheirRulesDemand) {
    platform::native_os().write_file(dir.file("quorbel.ini"),
                                     "mode = 1\r\nvalue = 400\r\nmb = -5\r\nref = 20\r\n"
                                     "kfb = 5000\r\ndeb-a = 12\r\nbias = 50\r\ncrelog = 0\r\n"
                                     "minqp = 0\r\naq = 1\r\nae = 6\r\nvib = 1.5\r\n");
    start();
    EXPECT_EQ(text(Ctl::value), "51");
    EXPECT_EQ(text(Ctl::mb), "0");
    for (Ctl c :
         {Ctl::a3, Ctl::dm, Ctl::biasbar, Ctl::bias, Ctl::bref, Ctl::bme, Ctl::ba, Ctl::bwb})
        EXPECT_FALSE(enabled(c)) << static_cast<int>(c);
    EXPECT_EQ(text(Ctl::ref), "16");
    EXPECT_TRUE(enabled(Ctl::mxref));
    EXPECT_EQ(text(Ctl::kfb), "900");
    EXPECT_EQ(text(Ctl::minqp), "1");
    EXPECT_EQ(text(Ctl::vib), "1");
    EXPECT_EQ(text(Ctl::fa), "6");
    EXPECT_EQ(text(Ctl::bias), "50");
    EXPECT_EQ(SendMessageA(at(Ctl::biasbar), TBM_GETPOS, 0, 0), 150);
    EXPECT_FALSE(enabled(Ctl::logname));
    EXPECT_TRUE(enabled(Ctl::aq1)); // enabled without a warning on a load
    EXPECT_EQ(text(Ctl::aub_unit), "Quality");
    EXPECT_FALSE(enabled(Ctl::vbr));
}

TEST_F(WindowTest, TheSystemMenuItemSwitchesTheX264LinesAndShowsTheLoadedChoice) {
    platform::native_os().write_file(dir.file("quorbel.ini"), "x264cli = current\r\n");
    start();
    HWND main = hwnd(window.handle());
    HMENU menu = GetSystemMenu(main, FALSE);
    UINT item = 0;
    auto count_items = [&] {
        int n = 0;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            if (std::string(text) == "Lines for current x264") item = GetMenuItemID(menu, i), ++n;
        }
        return n;
    };
    EXPECT_EQ(count_items(), 1);
    SendMessageA(main, WM_ACTIVATE, WA_ACTIVE, 0); // the focus comes back; the menu stays
    EXPECT_EQ(count_items(), 1);
    ASSERT_NE(item, 0u);
    auto checked_item = [&] { return (GetMenuState(menu, item, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    EXPECT_TRUE(checked_item());
    SendMessageA(main, WM_SYSCOMMAND, item, 0);
    EXPECT_FALSE(checked_item());
    EXPECT_EQ(window.front_end().settings.x264cli, "classic");
    SendMessageA(main, WM_SYSCOMMAND, item, 0);
    EXPECT_TRUE(checked_item());
    EXPECT_TRUE(window.front_end().shut_down());
    EXPECT_NE(test::read(dir.file("quorbel.ini")).find("\r\nx264cli = current\r\n"),
              std::string::npos);
}

namespace {

// What the shell hands a window that files are dropped on: a DROPFILES
// record and the names, each ended by a NUL, the list by another.
HDROP dropped(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& p : paths) names += p + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

} // namespace

TEST_F(WindowTest, FilesDroppedOnTheWindowBecomeAPickOrJobs) {
    start();
    EXPECT_TRUE(GetWindowLongA(hwnd(window.handle()), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    window.front_end().toggle_x264_input(); // x264 opens the inputs itself
    test::TempFolder clips;
    platform::Os& os = platform::native_os();
    for (const char* name : {"one.y4m", "two.y4m", "three.y4m"})
        ASSERT_TRUE(os.write_file(clips.file(name), ""));
    SendMessageA(hwnd(window.handle()), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(dropped({clips.file("one.y4m")})), 0);
    EXPECT_EQ(text(Ctl::infile), clips.file("one.y4m"));
    EXPECT_EQ(text(Ctl::outfile), clips.path() + "one.mp4");
    SendMessageA(hwnd(window.handle()), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(dropped(
                     {clips.file("one.y4m"), clips.file("two.y4m"), clips.file("three.y4m")})),
                 0);
    window.select_page(4);
    // Three jobs of six lines each, shown on the "Job" page.
    EXPECT_EQ(SendMessageA(at(Ctl::job_list), LB_GETCOUNT, 0, 0), 3 * 6);
    EXPECT_EQ(window.front_end().queue.lines[2], "@echo Output:\"" + clips.path() + "one.mp4\"");
}
