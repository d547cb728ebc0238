// The profile reader on any text, and the writer with it: after a write the
// read finds the written number.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "plugin/profile_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string key = in.PickValueInArray({"level", "wndx", "echo"});
    const int32_t value = in.ConsumeIntegral<int32_t>();
    const std::string text = in.ConsumeRemainingBytesAsString();
    levo::profile_int(text, "levoria", key, 75);
    std::string written = levo::with_profile_value(text, "levoria", key, std::to_string(value));
    if (levo::profile_int(written, "levoria", key, 75) != value) std::abort();
    return 0;
}
