#include "frontend/ui/queue_progress.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "frontend/ui/layout.h"

namespace ui {

std::optional<PassProgress> x264_title_progress(const std::string& title) {
    if (title.compare(0, 6, "x264 [") != 0) return std::nullopt;
    size_t close = title.find("] ");
    if (close == std::string::npos) return std::nullopt;
    const char* counts = title.c_str() + close + 2;
    char* slash = nullptr;
    long long frame = std::strtoll(counts, &slash, 10);
    if (slash == counts || *slash != '/') return std::nullopt;
    char* end = nullptr;
    long long frames = std::strtoll(slash + 1, &end, 10);
    if (end == slash + 1 || frames <= 0 || frame < 0) return std::nullopt;
    return PassProgress{frame, frames};
}

std::optional<double> queue_fraction(const std::vector<JobProgress>& jobs) {
    // Frames where they are not known: the mean of the known ones, or one
    // each when none is.
    int64_t known = 0;
    size_t counted = 0;
    for (const JobProgress& j : jobs)
        if (j.frames > 0) known += j.frames, ++counted;
    const double mean = counted ? static_cast<double>(known) / counted : 1.0;
    double all = 0, done = 0;
    bool any = false;
    for (const JobProgress& j : jobs) {
        const double frames = j.frames > 0 ? static_cast<double>(j.frames) : mean;
        const int passes = j.passes > 0 ? j.passes : 1;
        all += frames * passes;
        if (j.ended) {
            done += frames * passes;
            any = true;
        } else if (j.passes_done > 0 || j.current > 0) {
            done += frames * (std::min(j.passes_done, passes) + std::min(j.current, 1.0));
            any = true;
        }
    }
    if (!any || all <= 0) return std::nullopt;
    return std::min(done / all, 1.0);
}

std::string progress_title(size_t done, size_t total, std::optional<double> fraction,
                           int64_t elapsed_seconds) {
    std::string title = std::string(window_title) + " - " + std::to_string(done) + " of " +
                        std::to_string(total) + " done";
    if (!fraction || *fraction <= 0) return title;
    const int64_t left =
        std::llround((1 - *fraction) * static_cast<double>(elapsed_seconds) / *fraction);
    char text[64];
    std::snprintf(text, sizeof text, " - %d%% - %lld:%02lld:%02lld left",
                  static_cast<int>(std::floor(*fraction * 100)),
                  static_cast<long long>(left / 3600), static_cast<long long>(left / 60 % 60),
                  static_cast<long long>(left % 60));
    return title + text;
}

} // namespace ui
