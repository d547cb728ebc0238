// The plug-in as a host sees it: loaded from its file, entered through its
// one export, configured through its profile.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "library_loader.h"
#include "platform/os.h"
#include "plugin/plugin_abi.h"

namespace {

#ifdef _WIN32
const std::string profile = "C:\\levoria.ini";
#else
const std::string config_dir = std::filesystem::temp_directory_path().string() + "/levo-abi-test";
const std::string profile = config_dir + "/levoria.ini";
#endif

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Host : ::testing::Test {
    PluginHeader* header = nullptr;
    PluginModule* module = nullptr;
    void SetUp() override {
#ifndef _WIN32
        std::filesystem::create_directories(config_dir);
        setenv("XDG_CONFIG_HOME", config_dir.c_str(), 1);
#endif
        std::filesystem::remove(profile);
        test::LoadedPlugin plugin = test::load_plugin(platform::native_os().program_folder());
        header = plugin.header;
        module = plugin.module;
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override {
        std::filesystem::remove(profile);
    }
};

const char defaults[] =
    "[levoria]\r\nwndx=50\r\nwndy=50\r\nlevel=75\r\nstepping=8\r\necho=0\r\n"
    "esep=50\r\nevol=75\r\nedelay=20\r\nemon=0\r\nelevel=25\r\nhq=0\r\nnle=0\r\n"
    "vpb=0\r\nboost=1\r\ninvert=0\r\n";

} // namespace

TEST_F(Host, RecordsAndLifecycle) {
    EXPECT_EQ(header->version, 0x20);
    EXPECT_STREQ(header->description, "Levoria Audio Filter");
    EXPECT_EQ(header->getModule(0), module);
    EXPECT_EQ(header->getModule(1), nullptr);
    EXPECT_EQ(header->getModule(-1), nullptr);
    EXPECT_STREQ(module->description, "Levoria Automatic Gain Controller");
    EXPECT_EQ(module->userData, nullptr);

    module->config(module); // before init: nothing to show
    EXPECT_EQ(module->init(module), 0);

    // A loud stereo block is brought under the overload limit.
    std::vector<short> block(1152, 1000);
    block[10] = 32000;
    EXPECT_EQ(module->process(module, block.data(), 576, 16, 2, 44100), 576);
    EXPECT_LE(block[10], 30000);
    EXPECT_GT(block[10], 29000);

    module->quit(module);
    EXPECT_EQ(read(profile), defaults);
}

TEST_F(Host, ProfileIsReadAtInitAndWrittenAtQuit) {
    {
        std::ofstream out(profile, std::ios::binary);
        out << "[levoria]\r\nwndx=-5\r\nwndy=7\r\nlevel=60\r\nboost=0\r\n";
    }
    module->init(module);
    module->quit(module);
    std::string text = read(profile);
    EXPECT_NE(text.find("wndx=50\r\nwndy=50\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("level=60\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("boost=0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("stepping=8\r\n"), std::string::npos) << text;
}

TEST_F(Host, ProfileValuesAreClampedIntoTheirControlsRanges) {
    {
        std::ofstream out(profile, std::ios::binary);
        out << "[levoria]\r\nlevel=-1\r\nelevel=-1\r\nstepping=99\r\nedelay=1000\r\n"
               "evol=101\r\necho=2\r\n";
    }
    module->init(module);
    // Blocks run with the clamped values (no negative shifts on the way).
    std::vector<short> block(1152, 3000);
    EXPECT_EQ(module->process(module, block.data(), 576, 16, 2, 44100), 576);
    module->quit(module);
    std::string text = read(profile);
    for (const char* line : {"level=0\r\n", "elevel=0\r\n", "stepping=10\r\n", "edelay=500\r\n",
                             "evol=100\r\n", "echo=1\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
}
