// The system's own look at x264.exe: found beside the program, in its
// "tools" folder or on the search path, and its build read from what it
// prints. Stand-ins print an old version text, a current one, or nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "frontend/session/x264_in_use.h"
#include "test_support.h"

namespace {

// A stand-in x264.exe in `folder` that prints `version` when asked for it,
// and `help` for its help.
void stand_in(const std::string& folder, const std::string& version, const std::string& help) {
    platform::Os& os = platform::native_os();
#ifdef _WIN32
    ASSERT_TRUE(os.write_file(folder + "x264.exe", os.read_file(QUORBEL_X264_STUB).value_or("")));
    if (!version.empty()) {
        ASSERT_TRUE(os.write_file(folder + "x264_version.txt", version));
    }
    ASSERT_TRUE(os.write_file(folder + "x264_help.txt", help));
#else
    ASSERT_TRUE(
        os.write_file(folder + "x264.exe", "#!/bin/sh\nif [ \"$1\" = --help ]; then printf '" +
                                               help + "'; else printf '" + version + "'; fi\n"));
    std::filesystem::permissions(folder + "x264.exe", std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
#endif
}

} // namespace

TEST(NativeTools, FindX264AndReadItsBuild) {
    platform::Tools& tools = platform::native_tools();
    const std::string help_no_mp4 =
        "Infile can be raw (in which case resolution is required),\\n"
        "  or libav* formats if compiled with lavf support (no) or ffms support (no).\\n"
        " .mp4 -> MP4 if compiled with GPAC or L-SMASH support (no)\\n";
    struct Case {
        const char* where; // "" the program folder, or "tools"
        const char* version;
        std::string help;
        std::optional<int> build;
        const char* abilities; // as the settings keep them
    } cases[] = {
        {"", "x264 0.164.3095 baee400\\nbuilt on Jan  1 2023\\n", help_no_mp4, 3095,
         "3095 mp4=no avisynth=? lavf=no ffms=no"},
        {"tools", "x264 0.65.995 2a7fbd5\\n", "", 995, "995 mp4=? avisynth=? lavf=? ffms=?"},
        {"", "", "", std::nullopt, ""}, // prints nothing: no build, no question
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        test::TempFolder program;
        std::string folder = program.path();
        if (*c.where) {
            ASSERT_TRUE(platform::native_os().create_folder(folder + c.where));
            folder += std::string(c.where) + (folder.back() == '\\' ? "\\" : "/");
        }
#ifdef _WIN32
        auto lines = [](std::string text) {
            for (size_t at; (at = text.find("\\n")) != std::string::npos;)
                text.replace(at, 2, "\n");
            return text;
        };
        stand_in(folder, lines(c.version), lines(c.help));
#else
        stand_in(folder, c.version, c.help);
#endif
        std::string tools_folder = program.path() + "tools\\"; // as the front end names it
        std::optional<session::FoundX264> found = session::find_x264(tools, program.path());
        EXPECT_EQ(found ? std::optional<int>(found->build) : std::nullopt, c.build);
        if (found) {
            EXPECT_EQ(found->path, (*c.where ? tools_folder : program.path()) + "x264.exe");
            EXPECT_EQ(commands::abilities_text(found->build, found->abilities), c.abilities);
        }
    }
    // Nowhere: not beside the program, and not on this machine's search path
    // under that name.
    test::TempFolder empty;
    EXPECT_FALSE(tools.find_program("quorbel-no-such-tool.exe", {empty.path()}));
    EXPECT_FALSE(tools.output_of(empty.path() + "missing.exe", "--version"));
    EXPECT_FALSE(tools.avisynth_installed());
}
