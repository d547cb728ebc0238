// A settings file of 50 MB is read in one pass, within about twice its size
// in memory. Every allocation of this program is counted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "frontend/session/settings_files.h"
#include "test_support.h"

namespace {

size_t live = 0, peak = 0;

// Each block carries its size in front of it.
constexpr size_t header = alignof(std::max_align_t);

void* counted(size_t n) {
    auto* p = static_cast<char*>(std::malloc(n + header));
    if (!p) throw std::bad_alloc();
    *reinterpret_cast<size_t*>(p) = n;
    live += n;
    if (live > peak) peak = live;
    return p + header;
}

void released(void* p) {
    if (!p) return;
    char* block = static_cast<char*>(p) - header;
    live -= *reinterpret_cast<size_t*>(block);
    std::free(block);
}

} // namespace

void* operator new(size_t n) {
    return counted(n);
}
void* operator new[](size_t n) {
    return counted(n);
}
void operator delete(void* p) noexcept {
    released(p);
}
void operator delete[](void* p) noexcept {
    released(p);
}
void operator delete(void* p, size_t) noexcept {
    released(p);
}
void operator delete[](void* p, size_t) noexcept {
    released(p);
}

TEST(SettingsMemory, AFiftyMegabyteFileIsReadWithinTwiceItsSize) {
    test::TempFolder dir;
    platform::Os& os = platform::native_os();
    const size_t size = 50u << 20;
    {
        // Seven million short entries after the settings: the worst case for
        // a reader that keeps every entry.
        std::string text = "mode = 6\r\nvalue = 1000\r\n";
        text.reserve(size);
        while (text.size() + 7 <= size) text += "k = v\r\n";
        ASSERT_TRUE(os.write_file(dir.file("big.ini"), text));
    }
    settings::Settings s;
    size_t before = live;
    peak = live;
    EXPECT_EQ(
        session::load_settings(s, dir.file("big.ini"), {os, dir.file("default.ini"), {}}).result,
        session::LoadResult::file);
    EXPECT_EQ(s.mode, 6);
    EXPECT_EQ(s.value, "1000");
    EXPECT_LE(peak - before, 2 * size + (1u << 20)) << "peak " << (peak - before) << " bytes";
}
