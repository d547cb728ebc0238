// "Files input" with many names: the time to queue N jobs grows with N only.
#include <benchmark/benchmark.h>

#include "frontend/commands/job_block.h"
#include "frontend/settings/settings.h"

namespace {

// A job block × N: one "Add" per picked AviSynth input, as "Files input" does.
void AddJobs(benchmark::State& state) {
    for (auto _ : state) {
        settings::Settings s;
        commands::JobList jobs;
        for (int64_t i = 0; i < state.range(0); ++i) {
            s.infile = "C:\\clips\\clip" + std::to_string(i) + ".avs";
            s.outfile = "D:\\out\\clip" + std::to_string(i) + ".mp4";
            commands::JobList block = commands::job_block(s, {});
            jobs.insert(jobs.end(), block.begin(), block.end());
        }
        benchmark::DoNotOptimize(jobs.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(AddJobs)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

BENCHMARK_MAIN();
