// "Files input" with many names: the time to queue N jobs grows with N only.
#include <benchmark/benchmark.h>

#include "frontend/commands/job_block.h"
#include "frontend/settings/settings.h"

namespace {

struct NoProbe final : platform::MediaProbe {
    std::optional<platform::MediaLength> media_probe(const std::string&) override {
        return std::nullopt;
    }
};

// add_job × N: one "Add" per picked AviSynth input, as "Files input" does.
void AddJobs(benchmark::State& state) {
    NoProbe probe;
    for (auto _ : state) {
        settings::Settings s;
        commands::JobList jobs;
        commands::JobContext ctx{s, jobs, probe};
        for (int64_t i = 0; i < state.range(0); ++i) {
            s.infile = "C:\\clips\\clip" + std::to_string(i) + ".avs";
            s.outfile = "D:\\out\\clip" + std::to_string(i) + ".mp4";
            commands::append_job_block(ctx);
        }
        benchmark::DoNotOptimize(jobs.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(AddJobs)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

BENCHMARK_MAIN();
