#include "tools/runlog/log_copier.h"

#include <cstdio>

namespace runlog {

namespace {

const char separator[] = "--------------------------------------------------\r\n";

} // namespace

std::string format_time(const LocalTime& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return buf;
}

void LogCopier::append(const char* buf, size_t n) {
    if (!log_open_) return;
    buffer_.append(buf, n);
    if (buffer_.size() >= buffer_limit) flush();
}

void LogCopier::flush() {
    bool written = buffer_.empty() || sys_.write_log(buffer_.data(), buffer_.size());
    buffer_.clear();
    if (written) return;
    failed("write"); // the log stops here, without its end line
    sys_.close_log();
    log_open_ = false;
}

void LogCopier::close() {
    if (!sys_.close_log()) failed("close");
    log_open_ = false;
}

void LogCopier::failed(const char* what) {
    sys_.report("runlog: cannot " + std::string(what) + " the log " + log_name_ + ": " +
                sys_.last_error() + "; the output goes on without it");
}

int LogCopier::run(const std::string& log_name) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        log_name_ = log_name;
        if (!log_name.empty() && !sys_.open_log(log_name)) {
            failed("open");
        } else if (!log_name.empty()) {
            log_open_ = true;
            std::string head = separator + ("StartTime:" + format_time(sys_.local_time())) + "\r\n";
            append(head.data(), head.size());
        }
    }
    char buf[10];
    while (size_t n = sys_.read_input(buf, sizeof buf)) {
        sys_.write_output(buf, n); // never held back
        std::lock_guard<std::mutex> hold(lock_);
        append(buf, n);
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (log_open_) {
        std::string tail = "EndTime:" + format_time(sys_.local_time()) + "\r\n";
        append(tail.data(), tail.size());
        flush();
        if (log_open_) close();
    }
    return 0;
}

void LogCopier::close_event() {
    std::lock_guard<std::mutex> hold(lock_);
    if (!log_open_) return;
    flush();
    if (log_open_) close();
}

} // namespace runlog
