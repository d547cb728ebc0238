// Settings files through the platform's real file layer (native and Win32).
#include <gtest/gtest.h>

#include <algorithm>

#include "frontend/session/settings_files.h"
#include "frontend/settings/corrections.h"
#include "frontend/settings/settings_file.h"
#include "frontend/ui/control_rules.h"
#include "test_support.h"

using namespace settings;
using namespace session;

namespace {

std::string crlf_lines(std::initializer_list<const char*> lines, bool last_ends = true) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    if (!last_ends && !text.empty()) text.resize(text.size() - 2);
    return text;
}

// The file a save writes after the built-in defaults were loaded.
const std::string defaults_file = crlf_lines({
    "upstat = 1",   "a1 = 1",       "a2 = 1",         "a3 = 1",     "a4 = 0",        "a5 = 1",
    "a6 = 1",       "cab = 1",      "mxref = 0",      "tre = 0",    "fil = 1",       "bref = 0",
    "bme = 0",      "ba = 1",       "bwb = 1",        "mode = 1",   "dm = 0",        "m = 4",
    "ms = 1",       "aud = 0",      "ae = 1",         "apin = 0",   "muxer = 0",     "deb-a = 6",
    "deb-b = 6",    "fastpsk = 1",  "dctd = 1",       "crelog = 1", "sizemode = 0",  "aq = 0",
    "cqm = flat",   "aub = 64",     "fa = 0",         "mb = 2",     "bias = 0",      "fb = 0",
    "value = 26",   "range = 16",   "ref = 1",        "arx = 1",    "ary = 1",       "thr = 1",
    "nr = 0",       "kfb = 40",     "bfr = 30",       "vbr = 60",   "minqp = 10",    "maxqp = 51",
    "qps = 4",      "vbs = 0",      "vmb = 0",        "vib = 0.9",  "bv = 100",      "sct = 40",
    "mingop = 25",  "maxgop = 250", "auto1pcrf = 16", "avsinc = ",  "maxsize = 110", "minsize = 90",
    "dzinter = 21", "dzintra = 11", "aq1 = 0",        "aq2 = 15",
});

class SettingsFile : public ::testing::Test {
  protected:
    test::TempFolder dir;
    test::RecordingView view;
    platform::Os& os = platform::native_os();
    SettingsFolder ctx{os, dir.file("default.ini"), {}};
    LoadOptions options;
    std::optional<std::string> set_aside_as; // by the last load
    Settings s;

    // A load, then the window shows what it loaded.
    LoadResult load(Settings& t, const std::string& path) {
        Loaded loaded = load_settings(t, path, ctx, options);
        set_aside_as = loaded.set_aside_as;
        ui::show_loaded(t, view);
        return loaded.result;
    }
    LoadResult load_text(const std::string& text) {
        EXPECT_TRUE(os.write_file(dir.file("in.ini"), text));
        return load(s, dir.file("in.ini"));
    }
    std::string saved() { return settings_file_text(s); }
};

} // namespace

TEST(BuiltinDefaults, IsTheFortyThreeLineText) {
    const std::string expected = crlf_lines(
        {"a1 = 1",     "a2 = 1",     "a3 = 1",     "a4 = 0",     "a5 = 1",      "a6 = 1",
         "cab = 1",    "mxref = 0",  "tre = 0",    "fil = 1",    "bref = 0",    "bme = 0",
         "ba = 1",     "bwb = 1",    "mode = 1",   "dm = 0",     "m = 4",       "ms = 1",
         "aud = 0",    "ae = 1",     "apin = 0",   "aub = 64",   "fa = 0",      "mb = 2",
         "bias = 0",   "fb = 0",     "value = 26", "range = 16", "ref = 1",     "arx = 1",
         "ary = 1",    "thr = 1",    "nr = 0",     "kfb = 40",   "bfr = 30",    "vbr = 60",
         "minqp = 10", "maxqp = 51", "qps = 4",    "sct = 40",   "mingop = 25", "maxgop = 250",
         "muxer = 0"},
        false);
    EXPECT_EQ(builtin_default_text.size(), 403u);
    EXPECT_EQ(std::string(builtin_default_text), expected);
}

TEST_F(SettingsFile, MissingFileBringsInTheBuiltinDefaultsAndDeletesDefaultIni) {
    EXPECT_EQ(load(s, dir.file("nosuch.ini")), LoadResult::builtin_defaults);
    EXPECT_EQ(saved(), defaults_file);
    EXPECT_FALSE(os.file_exists(dir.file("default.ini")));
    // The window's rules ran: mode 1 is a quantizer mode, the log field is on.
    EXPECT_EQ(view.captions[ui::Ctl::value_caption], "Quantizer");
    EXPECT_TRUE(view.enabled[ui::Ctl::logname]);
    EXPECT_FALSE(view.enabled[ui::Ctl::aub]);
    EXPECT_EQ(view.captions[ui::Ctl::aub_unit], "Kbps");
}

TEST_F(SettingsFile, SaveWritesSixtyFourCrLfLinesAndLoadRestoresEveryField) {
    ctx.includes = {"first", "sharpen", "last"};
    // Give every persisted field a value distinct from its default that the
    // post-load pass leaves alone.
    s.upstat = 0, s.a1 = 0, s.a2 = 0, s.a3 = 0, s.a4 = 1, s.a5 = 0, s.a6 = 0, s.cab = 0;
    s.mxref = 1, s.tre = 2, s.fil = 0, s.bref = 1, s.bme = 1, s.ba = 0, s.bwb = 0, s.mode = 13;
    s.dm = 3, s.m = 8, s.ms = 3, s.aud = 1, s.ae = 6, s.apin = 1, s.muxer = 4, s.deb_a = 0;
    s.deb_b = 12, s.fastpsk = 0, s.dctd = 0, s.crelog = 0, s.sizemode = 1, s.aq = 1;
    s.cqm = "\"C:\\m x\\q.cfg\"", s.aub = "0.35", s.fa = "-6", s.mb = "16", s.bias = "-100";
    s.fb = "6", s.value = "700.5", s.range = "64", s.ref = "16", s.arx = "16", s.ary = "9";
    s.thr = "4", s.nr = "250", s.kfb = "900", s.bfr = "0", s.vbr = "100", s.minqp = "1";
    s.maxqp = "50", s.qps = "50", s.vbs = "240000", s.vmb = "8000", s.vib = "0.25", s.bv = "10";
    s.sct = "100", s.mingop = "1", s.maxgop = "9999", s.auto1pcrf = "18.5", s.avsinc = "sharpen";
    s.maxsize = "700", s.minsize = "650", s.dzinter = "0", s.dzintra = "32", s.aq1 = "0.5";
    s.aq2 = "x y";
    ASSERT_TRUE(save_settings(s, dir.file("all.ini"), os));
    std::string text = *os.read_file(dir.file("all.ini"));
    EXPECT_EQ(text.substr(0, 14), "upstat = 0\r\na1");
    EXPECT_EQ(text.substr(text.size() - 11), "aq2 = x y\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 64);

    Settings back;
    EXPECT_EQ(load_settings(back, dir.file("all.ini"), ctx).result, LoadResult::file);
    for (const FieldSpec& f : schema()) {
        if (!f.persisted) continue;
        EXPECT_EQ(field_text(back, f), field_text(s, f)) << f.key;
    }
    EXPECT_EQ(back.biasbar, 0);
}

TEST_F(SettingsFile, LoadRecomputesMirrorsAndClampsOutOfRangeNumbers) {
    load_text(crlf_lines({"deb-a = 2", "fa = 5", "fb = 5", "bias = 30", "kfb = 901", "minqp = -4",
                          "qps = 51", "mb = -5", "ref = 17", "thr = 8", "range = 65", "sct = 101",
                          "vbs = 999999", "vmb = 8001", "vib = 1.5", "bv = 5", "mode = 2",
                          "value = 70"}));
    EXPECT_EQ(s.fa, "-4");
    EXPECT_EQ(s.fb, "0");
    EXPECT_EQ(s.bias, "30");
    EXPECT_EQ(s.biasbar, 130);
    EXPECT_EQ(s.kfb, "900");
    EXPECT_EQ(s.minqp, "1");
    EXPECT_EQ(s.qps, "50");
    EXPECT_EQ(s.mb, "0");
    EXPECT_FALSE(view.enabled[ui::Ctl::bwb]);
    EXPECT_FALSE(view.enabled[ui::Ctl::a3]);
    EXPECT_EQ(s.ref, "16");
    EXPECT_TRUE(view.enabled[ui::Ctl::mxref]);
    EXPECT_EQ(s.thr, "4");
    EXPECT_EQ(s.range, "64");
    EXPECT_EQ(s.sct, "100");
    EXPECT_EQ(s.vbs, "240000");
    EXPECT_EQ(s.vmb, "8000");
    EXPECT_EQ(s.vib, "1");
    EXPECT_EQ(s.bv, "10");
    EXPECT_EQ(s.value, "51");
}

TEST_F(SettingsFile, MissingKeysTakeTheirMissingKeyValues) {
    EXPECT_EQ(load_text("mode = 0\r\n"), LoadResult::file);
    EXPECT_EQ(s.minqp, "1");
    EXPECT_EQ(s.maxqp, "1");
    EXPECT_EQ(s.qps, "1");
    EXPECT_EQ(s.aub, "64000");
    EXPECT_EQ(s.mode, 0);
    EXPECT_EQ(s.tre, 0);
    EXPECT_EQ(s.dctd, 1);
    EXPECT_EQ(s.fastpsk, 1);
    EXPECT_EQ(s.upstat, 1);
    EXPECT_EQ(s.crelog, 1);
    EXPECT_EQ(s.deb_a, 6);
    EXPECT_EQ(s.fa, "0");
    EXPECT_EQ(s.cqm, "flat");
    EXPECT_EQ(s.vib, "0.9");
    EXPECT_EQ(s.bv, "100");
    EXPECT_EQ(s.auto1pcrf, "16");
    EXPECT_EQ(s.aq1, "0");
    EXPECT_FALSE(os.file_exists(dir.file("default.ini")));
}

TEST_F(SettingsFile, AFileWithoutOneSettingCountsAsAbsentAndIsSetAside) {
    const std::string holds_none[] = {
        "",                                       // a save killed before its first byte
        std::string("\0\0\0\0\x7f\x01", 6),       // a damaged disk block
        "<html><body>not settings</body></html>", // a foreign file
        "\xEF\xBB\xBF",                           // a mark and nothing else
        "infile = C:\\a.avs\r\nfoo = 1\r\n",      // keys a settings file never holds
    };
    for (const std::string& text : holds_none) {
        SCOPED_TRACE(text);
        Settings fresh;
        s = fresh;
        options.set_aside = true;
        EXPECT_EQ(load_text(text), LoadResult::builtin_defaults);
        std::string set_aside = set_aside_as.value_or("");
        EXPECT_EQ(s.mode, 1); // the built-in defaults, not "broken settings"
        EXPECT_EQ(s.value, "26");
        EXPECT_EQ(s.minqp, "10");
        EXPECT_EQ(set_aside, dir.file("in.ini") + ".unreadable");
        EXPECT_EQ(test::read(set_aside), text);
        EXPECT_FALSE(os.file_exists(dir.file("in.ini")));
        os.delete_file(set_aside);
        // Without a place to set it aside, or the fall-back, it stays.
        options.set_aside = false;
        options.defaults_when_absent = false;
        s.value = "33";
        EXPECT_EQ(load_text(text), LoadResult::unchanged);
        EXPECT_EQ(s.value, "33");
        EXPECT_EQ(test::read(dir.file("in.ini")), text);
        options.defaults_when_absent = true;
    }
}

TEST_F(SettingsFile, ReadsHandEditedFilesByTheReadingRules) {
    load_text("\r\n\r\n; value = 99\r\n"
              "  MODE=5\r"              // capitals, no spaces, CR alone ends a line
              "\tValue\t =\t 1200 \t\n" // blanks around key and value
              "value = 1300\n"          // the first entry wins
              "nr = a b  \r\n"          // text values lose trailing blanks
              "tre = -1\r\n"            // nothing chosen
              "a line without equals\r\n"
              "cqm = jvt\r\n"
              "[group]\r\n"
              "kfb = 300\r\n"); // after a group line: never seen
    EXPECT_EQ(s.mode, 5);
    EXPECT_EQ(s.value, "1200");
    EXPECT_EQ(s.nr, "a b");
    EXPECT_EQ(s.tre, -1);
    EXPECT_EQ(s.cqm, "jvt");
    EXPECT_EQ(s.kfb, "0");
}

TEST_F(SettingsFile, Utf8MarkIsSkipped) {
    load_text("\xEF\xBB\xBFmode = 3\r\nnr = 5\r\n");
    EXPECT_EQ(s.mode, 3);
    EXPECT_EQ(s.nr, "5");
    // Two bytes are not "longer than two": taken as they stand.
    load_text("\xEF\xBBmode = 3\r\nnr = 6\r\n");
    EXPECT_EQ(s.mode, 0); // the key reads "\xEF\xBBmode"
    EXPECT_EQ(s.nr, "6");
}

TEST_F(SettingsFile, AStaleDefaultIniIsReplacedWhole) {
    std::string stale(403, 'x');
    stale += "\r\nvbs = 500\r\nvalue = 99\r\n";
    ASSERT_TRUE(os.write_file(dir.file("default.ini"), stale));
    EXPECT_EQ(load_builtin_defaults(s, ctx), LoadResult::builtin_defaults);
    EXPECT_EQ(s.vbs, "0"); // nothing of the stale file is read
    EXPECT_EQ(s.value, "26");
    EXPECT_FALSE(os.file_exists(dir.file("default.ini")));
}

TEST_F(SettingsFile, IncludeChoiceOnlySelectsAnExistingItem) {
    ctx.includes = {"deint", "Sharpen"};
    s.avsinc = "deint";
    load_text("avsinc = sharpen\r\n"); // letter case counts
    EXPECT_EQ(s.avsinc, "deint");
    load_text("avsinc = Sharpen\r\n");
    EXPECT_EQ(s.avsinc, "Sharpen");
    load_text("avsinc = \r\n");
    EXPECT_EQ(s.avsinc, "Sharpen");
}

TEST_F(SettingsFile, CustomMatrixIsLeftForTheQuestionAfterTheLoad) {
    // The window asks for the file once the load is shown (FrontEnd tests);
    // its answer, or a cancelled question, then sets `cqm`.
    load_text("cqm = custom...\r\n");
    EXPECT_EQ(s.cqm, "custom...");
    take_matrix_file(s, std::nullopt);
    EXPECT_EQ(s.cqm, "flat");
    take_matrix_file(s, std::string("C:\\mats\\my.cfg"));
    EXPECT_EQ(s.cqm, "\"C:\\mats\\my.cfg\"");
}

TEST_F(SettingsFile, UnwritableSaveLeavesNoFileAndReportsIt) {
    EXPECT_FALSE(save_settings(s, dir.file("no/such/folder/x.ini"), os));
}

namespace {

// Nothing can be read or written: as in a read-only program folder with no
// settings file.
class DeadOs final : public platform::Os {
  public:
    int reads = 0;
    std::string program_folder() override { return "/nowhere/"; }
    bool create_folder(const std::string&) override { return false; }
    std::vector<std::string> list_folder(const std::string&) override { return {}; }
    std::optional<std::string> read_file(const std::string&) override {
        ++reads;
        return std::nullopt;
    }
    std::optional<std::string> read_part(const std::string&, int64_t, size_t) override {
        return std::nullopt;
    }
    bool rename_new(const std::string&, const std::string&) override { return false; }
    bool delete_file(const std::string&) override { return false; }
    bool file_exists(const std::string&) override { return false; }
    std::optional<platform::FileInfo> file_info(const std::string&) override { return {}; }
    int64_t now() override { return 0; }
    std::string utf8_to_ansi(std::string_view s) override { return std::string(s); }
    std::vector<uint32_t> ansi_lacks(std::string_view) override { return {}; }
    std::optional<std::string> ansi_to_console(std::string_view s) override {
        return std::string(s);
    }
    std::string case_key(std::string_view s) override { return std::string(s); }
    std::string final_path(std::string_view s) override { return std::string(s); }
    size_t longest_path() override { return 259; }
    bool process_exists(uint32_t) override { return false; }
    unsigned processors() override { return 1; }
    std::string last_error() override { return "dead"; }
    std::optional<TempFile> create_temp(const std::string&) override { return std::nullopt; }
    bool write_temp(TempFile&, std::string_view) override { return false; }
    bool commit_temp(TempFile&, const std::string&, bool) override { return false; }
    void discard_temp(TempFile&) override {}
};

} // namespace

TEST(SettingsFileFailure, NeitherFileNorDefaultIniTakesTheBuiltinTextFromMemoryWithoutLooping) {
    DeadOs os;
    Settings s;
    s.value = "33";
    s.mode = 6;
    EXPECT_EQ(load_settings(s, "quorbel.ini", {os, "/nowhere/default.ini", {}}).result,
              LoadResult::builtin_defaults);
    EXPECT_EQ(os.reads, 1); // the file; default.ini could not be written, so it is not read
    EXPECT_EQ(s.value, "26");
    EXPECT_EQ(s.mode, 1);
}

TEST_F(SettingsFile, ToolchainFieldsAreStoredOnlyAwayFromTheirDefaults) {
    s.x264input = "direct";
    s.x264asked = "3095";
    std::string text = saved();
    EXPECT_EQ(text.substr(text.size() - 48),
              "aq2 = 15\r\nx264input = direct\r\nx264asked = 3095\r\n");
    Settings fresh;
    s = fresh;
    load_text(text);
    EXPECT_EQ(s.x264input, "direct");
    EXPECT_EQ(s.x264asked, "3095");
    for (const char* file : {"mode = 1\r\n", "x264input = lavf\r\n"}) {
        load_text(file);
        EXPECT_EQ(s.x264input, "avisynth") << file;
        EXPECT_EQ(s.x264asked, "") << file;
    }
    // "L" and "Load Default" load an encode: the tools in use stay.
    s.x264cli = "current", s.x264input = "direct", s.x264asked = "3095";
    options.keep_toolchain = true;
    load_text("x264cli = classic\r\nvalue = 33\r\n");
    EXPECT_EQ(s.value, "33");
    EXPECT_EQ(s.x264cli + s.x264input + s.x264asked, "currentdirect3095");
    load_builtin_defaults(s, ctx, options);
    EXPECT_EQ(s.x264cli + s.x264input + s.x264asked, "currentdirect3095");
}

TEST_F(SettingsFile, TheX264DialectIsStoredOnlyWhenItIsNotClassic) {
    EXPECT_EQ(s.x264cli, "classic");
    EXPECT_EQ(saved().find("x264cli"), std::string::npos);
    s.x264cli = "current";
    std::string text = saved();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 65);
    EXPECT_EQ(text.substr(text.size() - 29), "aq2 = 15\r\nx264cli = current\r\n");
    load_text(text);
    EXPECT_EQ(s.x264cli, "current");
    // A missing key, or a value that is not a dialect, reads as "classic".
    for (const char* file : {"mode = 1\r\n", "x264cli = newest\r\n", "X264CLI = Current\r\n"}) {
        s.x264cli = "current";
        load_text(file);
        EXPECT_EQ(s.x264cli, "classic") << file;
    }
}

TEST_F(SettingsFile, SliderPositionsFromAFileStayWithinTheirSliders) {
    load_text(crlf_lines({"deb-a = -2147483648", "deb-b = 100"}));
    EXPECT_EQ(s.deb_a, 0);
    EXPECT_EQ(s.fa, "-6");
    EXPECT_EQ(s.deb_b, 12);
    EXPECT_EQ(s.fb, "6");
}
