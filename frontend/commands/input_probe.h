// Measuring a job's input for its target size.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/media_probe.h"
#include "platform/os.h"

namespace commands {

// The source a wrapper script names on its first line ("fs=" and the path in
// double quotes), or nothing when the text is no wrapper.
std::optional<std::string> wrapped_source(const std::string& wrapper_text);

// The file a user knows an input by: the source a wrapper script names, else
// the input itself. Only AviSynth scripts are read.
std::string source_of(const std::string& input, platform::Os& os);

// Measures an input by the platform's media framework: the file itself, or,
// when the framework cannot open a wrapper script (no AviSynth), the source
// the wrapper names. Answers are remembered, so the passes of one job, and
// the check before it is added, measure each input once.
class InputProbe final : public platform::MediaProbe {
  public:
    InputProbe(platform::MediaProbe& media, platform::Os& os) : media_(media), os_(os) {}
    std::optional<platform::MediaLength> media_probe(const std::string& path) override;
    std::string tried() const override { return media_.tried(); }
    // The file a user knows the input by: a wrapper's source, else the input.
    std::string source_of(const std::string& path);

  private:
    platform::MediaProbe& media_;
    platform::Os& os_;
    std::map<std::string, std::optional<platform::MediaLength>> known_;
};

} // namespace commands
