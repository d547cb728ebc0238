// runlog's work: copy standard input to standard output and append it to a
// log file framed by a separator, a start time and an end time.
#pragma once

#include <mutex>
#include <string>

namespace runlog {

struct LocalTime {
    int year, month, day, hour, minute, second;
};

// "%yyyy-%mm-%dd %hh:%ii:%ss": every field zero-padded.
std::string format_time(const LocalTime& t);

// What the copier needs from the operating system.
class System {
  public:
    virtual ~System() = default;
    // One read of at most `max` bytes from standard input; 0 at its end or on failure.
    virtual size_t read_input(char* buf, size_t max) = 0;
    // Writes the bytes to standard output (the console, else a plain write).
    virtual void write_output(const char* buf, size_t n) = 0;
    // Opens the log for appending, created when missing, shared for reading only.
    virtual bool open_log(const std::string& name) = 0;
    // False when not every byte reached the log (a full disk).
    virtual bool write_log(const char* buf, size_t n) = 0;
    virtual bool close_log() = 0;
    virtual LocalTime local_time() = 0;
    // The system's words for the last failure above.
    virtual std::string last_error() = 0;
    // One line on standard error.
    virtual void report(const std::string& line) = 0;
};

class LogCopier {
  public:
    explicit LogCopier(System& system) : sys_(system) {}

    // Runs to the end of standard input; returns the exit code (always 0).
    // A log that cannot be opened, written or completed is said so in one
    // line on standard error; the copy to standard output goes on.
    int run(const std::string& log_name);

    // The console is being closed: write out what the log has received so
    // far and close it. No end line; the copy stops logging.
    void close_event();

  private:
    static constexpr size_t buffer_limit = 4096;
    void append(const char* buf, size_t n); // called with the lock held
    void flush();                           // called with the lock held
    void close();                           // called with the lock held
    void failed(const char* what);          // called with the lock held

    System& sys_;
    std::string log_name_;
    std::mutex lock_;
    bool log_open_ = false;
    std::string buffer_;
};

} // namespace runlog
