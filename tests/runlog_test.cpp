// runlog's copy and log frame, over a scripted system with a fixed clock.
#include <gtest/gtest.h>

#include "tools/runlog/log_copier.h"

using namespace runlog;

namespace {

const std::string rule = "--------------------------------------------------\r\n";

class ScriptedSystem final : public System {
  public:
    std::string input;  // what standard input delivers
    size_t offered = 4; // bytes "there" per read, before the tool's limit
    std::string output; // what reached standard output
    std::string log;    // the log file's bytes
    bool can_open = true;
    bool is_open = false;
    std::vector<size_t> read_sizes, log_writes;
    std::string opened;
    LocalTime clock{2008, 3, 9, 4, 5, 9};

    size_t read_input(char* buf, size_t max) override {
        read_sizes.push_back(max);
        size_t n = std::min({max, offered, input.size()});
        input.copy(buf, n);
        input.erase(0, n);
        return n;
    }
    void write_output(const char* buf, size_t n) override { output.append(buf, n); }
    bool open_log(const std::string& name) override {
        opened = name;
        return is_open = can_open;
    }
    size_t room = SIZE_MAX; // bytes the disk still takes
    bool close_fails = false;
    std::vector<std::string> reported; // lines on standard error
    bool write_log(const char* buf, size_t n) override {
        EXPECT_TRUE(is_open);
        log_writes.push_back(n);
        size_t fits = std::min(n, room - std::min(room, log.size()));
        log.append(buf, fits);
        return fits == n;
    }
    bool close_log() override {
        is_open = false;
        return !close_fails;
    }
    std::string last_error() override { return "No space left on device"; }
    void report(const std::string& line) override { reported.push_back(line); }
    LocalTime local_time() override {
        LocalTime t = clock;
        clock.hour = 21; // the end comes later
        return t;
    }
};

std::string frame(const std::string& body) {
    return rule + "StartTime:2008-03-09 04:05:09\r\n" + body + "EndTime:2008-03-09 21:05:09\r\n";
}

} // namespace

TEST(FormatTime, ZeroPaddedFields) {
    EXPECT_EQ(format_time({2008, 3, 9, 21, 5, 7}), "2008-03-09 21:05:07");
    EXPECT_EQ(format_time({999, 12, 31, 0, 0, 0}), "0999-12-31 00:00:00");
}

TEST(Runlog, CopiesInputAndFramesItInTheLog) {
    for (std::string body : {std::string(""), std::string(10, 'a'), std::string(11, 'b'),
                             std::string("x264 [info]: done\r\n"), std::string("no line end"),
                             std::string("a\rb\nc\r\n\0z", 9)}) {
        for (std::string earlier : {"", "earlier block\r\n"}) { // a new log, an existing one
            ScriptedSystem sys;
            sys.input = body;
            sys.log = earlier;
            LogCopier copier(sys);
            EXPECT_EQ(copier.run("C:\\logs\\a b.txt"), 0);
            EXPECT_EQ(sys.opened, "C:\\logs\\a b.txt");
            EXPECT_EQ(sys.output, body);
            EXPECT_EQ(sys.log, earlier + frame(body));
            EXPECT_FALSE(sys.is_open);
        }
    }
}

TEST(Runlog, ReadsAtMostTenBytesAndForwardsEachReadAtOnce) {
    ScriptedSystem sys;
    sys.offered = 100;
    sys.input = std::string(25, 'q');
    LogCopier copier(sys);
    copier.run("log");
    for (size_t max : sys.read_sizes) EXPECT_EQ(max, 10u);
    EXPECT_EQ(sys.read_sizes.size(), 4u); // 10, 10, 5, then the end
}

TEST(Runlog, LogIsWrittenInBlocksOfAtMost4096Bytes) {
    ScriptedSystem sys;
    sys.offered = 10;
    sys.input = std::string(10000, 'z');
    LogCopier copier(sys);
    copier.run("log");
    EXPECT_EQ(sys.log, frame(std::string(10000, 'z')));
    for (size_t n : sys.log_writes) EXPECT_LE(n, 4096u + 10u);
    EXPECT_GE(sys.log_writes.size(), 3u);
}

TEST(Runlog, WithoutALogOnlyCopies) {
    for (bool no_name : {true, false}) {
        ScriptedSystem sys;
        sys.input = "text";
        sys.can_open = false;
        LogCopier copier(sys);
        EXPECT_EQ(copier.run(no_name ? "" : "locked.txt"), 0);
        EXPECT_EQ(sys.output, "text");
        EXPECT_EQ(sys.log, "");
        EXPECT_EQ(sys.opened, no_name ? "" : "locked.txt");
    }
}

TEST(Runlog, CloseEventKeepsWhatWasReadWithoutAnEndLine) {
    ScriptedSystem sys;
    sys.input = "partial";
    // The close event arrives after the first read.
    struct Closing final : System {
        ScriptedSystem& inner;
        LogCopier* copier = nullptr;
        int reads = 0;
        explicit Closing(ScriptedSystem& s) : inner(s) {}
        size_t read_input(char* buf, size_t max) override {
            if (reads++ == 1) copier->close_event();
            return inner.read_input(buf, max);
        }
        void write_output(const char* b, size_t n) override { inner.write_output(b, n); }
        bool open_log(const std::string& n) override { return inner.open_log(n); }
        bool write_log(const char* b, size_t n) override { return inner.write_log(b, n); }
        bool close_log() override { return inner.close_log(); }
        LocalTime local_time() override { return inner.local_time(); }
        std::string last_error() override { return inner.last_error(); }
        void report(const std::string& line) override { inner.report(line); }
    } closing(sys);
    LogCopier c2(closing);
    closing.copier = &c2;
    c2.run("log");
    EXPECT_EQ(sys.log, rule + "StartTime:2008-03-09 04:05:09\r\npart");
    EXPECT_EQ(sys.output, "partial");
}

TEST(Runlog, ALogThatCannotBeOpenedWrittenOrClosedIsSaidOnceAndTheCopyGoesOn) {
    const std::string big(6000, 'x'); // more than one buffer of the log
    struct Case {
        bool can_open;
        size_t room;
        bool close_fails;
        const char* reported; // the one line on standard error; empty: none
    } cases[] = {
        {true, SIZE_MAX, false, ""},
        {false, SIZE_MAX, false,
         "runlog: cannot open the log C:\\log\\a.txt: No space left on "
         "device; the output goes on without it"},
        {true, 100, false,
         "runlog: cannot write the log C:\\log\\a.txt: No space left on "
         "device; the output goes on without it"},
        {true, SIZE_MAX, true,
         "runlog: cannot close the log C:\\log\\a.txt: No space left on "
         "device; the output goes on without it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reported);
        ScriptedSystem sys;
        sys.input = big;
        sys.offered = 10;
        sys.can_open = c.can_open;
        sys.room = c.room;
        sys.close_fails = c.close_fails;
        LogCopier copier(sys);
        EXPECT_EQ(copier.run("C:\\log\\a.txt"), 0);
        EXPECT_EQ(sys.output, big); // passed through whole
        EXPECT_EQ(sys.reported,
                  *c.reported ? std::vector<std::string>{c.reported} : std::vector<std::string>{});
        EXPECT_FALSE(sys.is_open);
    }
}
