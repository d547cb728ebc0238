// Job blocks from random settings: whatever the fields hold, a job that is
// not refused never puts a CR, LF or NUL into a line.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "frontend/commands/job_block.h"
#include "frontend/commands/line_safety.h"

namespace {

struct Probe final : platform::MediaProbe {
    FuzzedDataProvider* in;
    std::optional<platform::MediaLength> media_probe(const std::string&) override {
        if (!in->ConsumeBool()) return std::nullopt;
        return platform::media_length(in->ConsumeIntegral<int64_t>(),
                                      in->ConsumeIntegral<int64_t>(),
                                      in->ConsumeIntegral<int64_t>());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    settings::Settings s;
    for (const settings::FieldSpec& f : settings::schema()) {
        if (!in.ConsumeBool()) continue;
        if (f.number)
            settings::set_field(s, f, std::to_string(in.ConsumeIntegral<int32_t>()));
        else
            settings::set_field(s, f, in.ConsumeRandomLengthString(40));
    }
    if (commands::unsafe_field(s)) return 0; // refused: "Add" tells the user
    Probe probe;
    probe.in = &in;
    commands::JobList jobs = commands::job_block(s, commands::target_rate(s, probe));
    for (const std::string& line : jobs)
        for (char c : line)
            if (c == '\r' || c == '\n' || c == '\0') std::abort();
    return 0;
}
