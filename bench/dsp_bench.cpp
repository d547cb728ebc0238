// Throughput of processSamples on 576-frame stereo 16-bit blocks, as players
// hand them over, for each chain and effect and for a block that overloads
// at every attempt.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "plugin/cpu_feature.h"
#include "plugin/gain_control.h"

using namespace levo;

namespace {

constexpr int frames = 576;

std::vector<int16_t> music() {
    std::vector<int16_t> b(2 * frames);
    for (int i = 0; i < frames; ++i) {
        double t = i / 44100.0;
        b[2 * i] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440 * t) +
                                        3000 * std::sin(2 * M_PI * 97 * t));
        b[2 * i + 1] = static_cast<int16_t>(7000 * std::sin(2 * M_PI * 660 * t));
    }
    return b;
}

void run(benchmark::State& bs, void (*setup)(PluginSettings&), bool overload) {
    auto st = std::make_unique<PluginState>();
    PluginSettings set;
    setup(set);
    for (auto& c : st->predtable) c = 7;
    st->gain = st->gainmax = st->gainmin = 256;
    st->hasmmx = cpuFeature(Feature::mmx);
    st->has3dnow = cpuFeature(Feature::amd3dnow);
    const std::vector<int16_t> source =
        overload ? std::vector<int16_t>(2 * frames, 32767) : music();
    std::vector<int16_t> block = source;
    for (auto _ : bs) {
        if (overload) st->gain = 1 << 24; // 1024 attempts, then giving up
        std::copy(source.begin(), source.end(), block.begin());
        processSamples(*st, set, block.data(), frames, 16, 2, 44100);
        benchmark::DoNotOptimize(block.data());
    }
    bs.SetBytesProcessed(static_cast<int64_t>(bs.iterations()) * frames * 2 * 2);
    bs.counters["mathmode"] = st->mathmode.load();
}

void integer_chain(benchmark::State& s) {
    run(
        s, [](PluginSettings&) {}, false);
}
void float_chain(benchmark::State& s) {
    run(
        s, [](PluginSettings& p) { p.hq = 1; }, false);
}
void integer_echo(benchmark::State& s) {
    run(
        s, [](PluginSettings& p) { p.echo = 1; }, false);
}
void float_echo(benchmark::State& s) {
    run(
        s, [](PluginSettings& p) { p.echo = 1, p.hq = 1; }, false);
}
void integer_bandpass(benchmark::State& s) {
    run(
        s, [](PluginSettings& p) { p.vpb = 1; }, false);
}
void float_bandpass(benchmark::State& s) {
    run(
        s, [](PluginSettings& p) { p.vpb = 1, p.hq = 1; }, false);
}
void overloading_block(benchmark::State& s) {
    run(
        s, [](PluginSettings& p) { p.stepping = 5; }, true);
}

} // namespace

BENCHMARK(integer_chain);
BENCHMARK(float_chain);
BENCHMARK(integer_echo);
BENCHMARK(float_echo);
BENCHMARK(integer_bandpass);
BENCHMARK(float_bandpass);
BENCHMARK(overloading_block);
BENCHMARK_MAIN();
