// runlog for POSIX systems: "x264 ... 2>&1 | runlog LOGFILE". A hang-up
// (the terminal closing) plays the part of the console's close event.
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "tools/params/command_line.h"
#include "tools/runlog/log_copier.h"

namespace {

// False when not every byte could be written (errno tells why).
bool write_all(int fd, const char* buf, size_t n) {
    while (n > 0) {
        ssize_t w = ::write(fd, buf, n);
        if (w < 0 && errno == EINTR) continue;
        if (w == 0) errno = ENOSPC;
        if (w <= 0) return false;
        buf += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

class PosixSystem final : public runlog::System {
  public:
    size_t read_input(char* buf, size_t max) override {
        for (;;) {
            ssize_t n = ::read(STDIN_FILENO, buf, max);
            if (n < 0 && errno == EINTR) continue;
            return n > 0 ? static_cast<size_t>(n) : 0;
        }
    }

    void write_output(const char* buf, size_t n) override { write_all(STDOUT_FILENO, buf, n); }

    bool open_log(const std::string& name) override {
        log_ = ::open(name.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (log_ < 0) return fail();
        // Like the Windows sharing rule: a second runlog on the same log
        // runs without one.
        if (::flock(log_, LOCK_EX | LOCK_NB) != 0) {
            error_ = EBUSY;
            ::close(log_);
            log_ = -1;
            return false;
        }
        return true;
    }

    bool write_log(const char* buf, size_t n) override { return write_all(log_, buf, n) || fail(); }

    bool close_log() override {
        bool ok = ::close(log_) == 0 || fail();
        log_ = -1;
        return ok;
    }

    std::string last_error() override { return std::strerror(error_); }

    void report(const std::string& line) override {
        std::string text = line + "\n";
        write_all(STDERR_FILENO, text.data(), text.size());
    }

    runlog::LocalTime local_time() override {
        std::time_t now = std::time(nullptr);
        std::tm t{};
        ::localtime_r(&now, &t);
        return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
    }

  private:
    bool fail() {
        error_ = errno;
        return false;
    }
    int log_ = -1;
    int error_ = 0;
};

PosixSystem os;
runlog::LogCopier copier(os);

// Waits for a hang-up on a thread of its own, closes the log, then lets the
// signal end the process.
void* hangup_watch(void*) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGHUP);
    int sig = 0;
    if (sigwait(&set, &sig) == 0) {
        copier.close_event();
        ::signal(SIGHUP, SIG_DFL);
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        ::raise(SIGHUP);
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, nullptr); // inherited by the watcher
    pthread_t watcher;
    pthread_create(&watcher, nullptr, hangup_watch, nullptr);
    ::signal(SIGPIPE, SIG_IGN); // a closed reader must not end the log early
    std::vector<std::string> params(argv + 1, argv + argc);
    return copier.run(tools::parameter(params, 1));
}
