// The job block's lines said again for a POSIX shell on a cluster node: a
// table of the shapes the generators write, the names that must reach the
// programs intact, and the lines that cannot run there.
#include <gtest/gtest.h>

#include "commands_fixture.h"
#include "frontend/cluster/posix_lines.h"
#include "frontend/commands/job_block.h"
#include "test_support.h"

using cluster::PathMap;
using cluster::posix_line;

namespace {

const std::vector<PathMap> maps = {{"C:\\video\\", "/data/video/"}, {"D:\\", "/mnt/d/"}};

struct Case {
    const char* line;
    const char* sh;
};

} // namespace

TEST(PosixLines, EachShapeTheGeneratorsWrite) {
    const Case cases[] = {
        {"@echo.", "echo"},
        {"@echo+", "echo +"},
        {"@echo Input:\"C:\\video\\a.avs\"", "echo 'Input:\"C:\\video\\a.avs\"'"},
        {"@echo Output:\"100%% sure.mkv\"", "echo 'Output:\"100% sure.mkv\"'"},
        {"@rem @x264.exe --crf 20 -o \"a.mkv\" \"a.y4m\"", ""},
        // A pass into its log; the folder joins of POSIX paths.
        {"@x264.exe --crf 20 -o \"/data/out/a.mkv\" \"/data/in\\a.y4m\" 2>&1|runlog.exe "
         "\"/data/prog/log\\a.y4m.txt\"",
         "{ x264 --crf 20 -o /data/out/a.mkv /data/in/a.y4m 2>&1; echo $? >\"$x264_status\"; } | "
         "\"$tools/runlog\" /data/prog/log/a.y4m.txt; level=$?; read -r x264_level "
         "<\"$x264_status\"; [ \"$x264_level\" = 0 ] || level=$x264_level"},
        // A first pass writes no video; Windows names mapped, letter case aside.
        {"@x264.exe -p 1 --stats \"c:\\VIDEO\\s\\a.stat\" -B 900 -o nul \"C:\\video\\a.y4m\"",
         "x264 -p 1 --stats /data/video/s/a.stat -B 900 -o /dev/null /data/video/a.y4m; "
         "level=$?"},
        {"@x264.exe --direct \"temporal\" -A p8x8,b8x8 --ipratio 1.400000 -o \"D:/x.mkv\" "
         "\"D:\\x.y4m\"",
         "x264 --direct temporal -A p8x8,b8x8 --ipratio 1.400000 -o /mnt/d/x.mkv /mnt/d/x.y4m; "
         "level=$?"},
        // The conditional pair's size test and its guarded second pass.
        {"@sizegate.exe 90 110 \"C:\\video\\a.mkv\"",
         "\"$tools/sizegate\" 90 110 /data/video/a.mkv; level=$?"},
        {"@if errorlevel 1 @x264.exe -p 2 -o \"C:\\video\\a.mkv\" \"C:\\video\\a.y4m\"",
         "if [ \"$level\" -ge 1 ]; then x264 -p 2 -o /data/video/a.mkv /data/video/a.y4m; "
         "level=$?; fi"},
        // The muxers and their clean-up.
        {"@mp4box.exe -add \"C:\\video\\a.aac\" \"C:\\video\\a.mp4\"",
         "MP4Box -add /data/video/a.aac /data/video/a.mp4; level=$?"},
        {"@mp4creator.exe -create=\"C:\\video\\a.aac\" \"C:\\video\\a.mp4\"",
         "mp4creator -create=/data/video/a.aac /data/video/a.mp4; level=$?"},
        {"@if not errorlevel 1 del \"C:\\video\\a.aac\"",
         "if [ \"$level\" -lt 1 ]; then rm -f -- /data/video/a.aac; level=$?; fi"},
        {"@mkvmerge -o \"C:\\video\\a.mkv\" \"C:\\video\\a.mp4\" \"C:\\video\\a.aac\"",
         "mkvmerge -o /data/video/a.mkv /data/video/a.mp4 /data/video/a.aac; level=$?"},
        {"@if exist \"C:\\video\\a.mkv\" del \"C:\\video\\a.mp4\"",
         "if [ -e /data/video/a.mkv ]; then rm -f -- /data/video/a.mp4; level=$?; fi"},
        // A name that begins with "-" stays a name, never an option of rm.
        {"del -rf \"C:\\video\\keepdir\"", "rm -f -- -rf /data/video/keepdir; level=$?"},
        {"@if exist \"C:\\video\\m.mkv\" move /y \"C:\\video\\m.mkv\" \"C:\\video\\a.mkv\"",
         "if [ -e /data/video/m.mkv ]; then mv -f -- /data/video/m.mkv /data/video/a.mkv; "
         "level=$?; "
         "fi"},
        // Audio in direct mode: ffmpeg's samples into the AAC encoder.
        {"@ffmpeg.exe -v error -i \"C:\\video\\a.y4m\" -vn -ac 2 -f wav - | neroaacenc_sse2.exe "
         "-if - -of \"C:\\video\\a.mp4\" -ignorelength -cbr 128000",
         "ffmpeg -v error -i /data/video/a.y4m -vn -ac 2 -f wav - | neroAacEnc -if - -of "
         "/data/video/a.mp4 -ignorelength -cbr 128000; level=$?"},
        // Names with the bytes sh gives a meaning to reach the programs intact.
        {"@x264.exe -o \"/v/it's $HOME `id` & 100%% (1);.mkv\" \"/v/a b.y4m\"",
         "x264 -o '/v/it'\\''s $HOME `id` & 100% (1);.mkv' '/v/a b.y4m'; level=$?"},
    };
    for (const Case& c : cases) {
        cluster::PosixLine got = posix_line(c.line, maps);
        EXPECT_EQ(got.refusal, "") << c.line;
        EXPECT_EQ(got.sh, c.sh) << c.line;
    }
}

TEST(PosixLines, EveryLineOfEveryModeRunsOnANode) {
    settings::Settings s = test::example_settings();
    s.infile = "C:\\video\\in\\clip.avs";
    s.outfile = "C:\\video\\out\\clip.mp4";
    s.statsname = "C:\\video\\stats\\clip.stat";
    s.logname = "C:\\video\\log\\clip.txt";
    // Audio in direct mode, each encoder, each muxer.
    s.x264input = "direct";
    s.infile = "C:\\video\\in\\clip.y4m";
    s.aud = 1;
    for (int mode = 0; mode < 14 * 4 * 6; ++mode) {
        s.mode = mode % 14;
        s.muxer = mode / 14 % 4;
        s.ae = mode / 56;
        s.value = s.mode == 2 || s.mode == 13 ? "20" : "1000";
        for (const std::string& line : commands::job_block(s, {})) {
            cluster::PosixLine got = posix_line(line, maps);
            EXPECT_EQ(got.refusal, "") << "mode " << mode << ": " << line;
            if (got.sh.rfind("echo", 0) != 0) { // what is shown stays as it was
                EXPECT_EQ(got.sh.find("C:"), std::string::npos) << got.sh;
            }
        }
    }
}

TEST(PosixLines, LinesThatCannotRunOnANodeSayWhy) {
    const Case refused[] = {
        {"@bepipe.exe --script \"import(^C:\\video\\a.avs^)\" | neroaacenc.exe -if - -of "
         "\"C:\\video\\a.mp4\"",
         "it runs bepipe.exe, which has no counterpart on the nodes"},
        {"shutdown.exe -s -f -t 30", "it runs shutdown.exe, which has no counterpart on the nodes"},
        {"@x264.exe -o \"E:\\a.mkv\" \"C:\\video\\a.y4m\"",
         "no --path-map maps the Windows path E:\\a.mkv"},
        {"@x264.exe -o a.mkv a.y4m > out.txt", "it redirects or chains commands (\">\")"},
        {"@x264.exe -o a.mkv a.y4m & del a.y4m", "it redirects or chains commands (\"&\")"},
        {"@x264.exe -o \"a.mkv a.y4m", "a quote is not closed"},
        {"@if exist a.mkv", "its \"if exist\" names no command"},
        {"@if defined X del a", "its test is none of those the generators write"},
    };
    for (const Case& c : refused) {
        cluster::PosixLine got = posix_line(c.line, maps);
        EXPECT_EQ(got.refusal, c.sh) << c.line;
    }
}

TEST(PosixLines, PathMapsAreReadFromTheirArgument) {
    std::optional<PathMap> m = cluster::parse_path_map("C:\\video\\=/data/video/");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->windows, "C:\\video\\");
    EXPECT_EQ(m->posix, "/data/video/");
    for (const char* bad : {"", "C:\\video\\", "=/data/", "video=/data/", "C:\\v\\=data/"})
        EXPECT_FALSE(cluster::parse_path_map(bad)) << bad;
}

TEST(PosixLines, PathMapsMapWholeFoldersTheLongestFirst) {
    std::vector<PathMap> given;
    for (const char* m :
         {"C:\\v=/data/v", "C:\\v\\films\\=/big/films", "C:\\video\\=/data/video"}) {
        std::optional<PathMap> parsed = cluster::parse_path_map(m);
        ASSERT_TRUE(parsed) << m;
        given.push_back(*parsed);
    }
    EXPECT_EQ(given[0].windows, "C:\\v\\");
    EXPECT_EQ(given[0].posix, "/data/v/");
    const struct {
        const char* name;
        const char* node; // empty: refused with `refusal`
        const char* refusal;
    } cases[] = {
        {"C:\\v\\clip.mkv", "/data/v/clip.mkv", ""},
        {"C:\\video\\clip.mkv", "/data/video/clip.mkv", ""}, // not C:\v's
        {"C:\\vault\\clip.mkv", "", "no --path-map maps the Windows path C:\\vault\\clip.mkv"},
        {"c:\\V\\Films\\a.mkv", "/big/films/a.mkv", ""}, // the longer map, listed second
        {"C:\\v\\x\\..\\films\\.\\a.mkv", "/big/films/a.mkv", ""},
        {"C:\\v\\..\\secret\\a.mkv", "",
         "no --path-map maps the Windows path C:\\v\\..\\secret\\a.mkv"},
        {"C:\\..\\..\\etc\\a", "",
         "the Windows path C:\\..\\..\\etc\\a climbs above the root of its drive"},
        {"C:\\v\\a.mkv.", "",
         "the Windows path C:\\v\\a.mkv. has a part that ends in a dot or a space, which Windows "
         "drops and the nodes keep"},
        {"C:x.mkv", "",
         "the name C:x.mkv is relative to a Windows drive, which the nodes have not"},
        {"\\x.mkv", "",
         "the name \\x.mkv is relative to a Windows drive, which the nodes have not"},
    };
    for (const auto& c : cases) {
        std::string refusal;
        std::optional<std::string> node = cluster::node_path(c.name, given, refusal);
        EXPECT_EQ(node.value_or(""), c.node) << c.name;
        EXPECT_EQ(refusal, c.refusal) << c.name;
    }
}
