// The pieces of option text an x264 line is assembled from. Each is empty or
// begins with a space, so they concatenate directly.
#pragma once

#include <string>

#include "frontend/settings/settings.h"

namespace commands {

using settings::Settings;

std::string cqm_fragment(const Settings& s);
std::string ratio_fragment(const Settings& s);
std::string partition_fragment(const Settings& s);
std::string fast_partition_fragment(const Settings& s);
std::string qp_fragment(const Settings& s, bool full);
std::string chroma_me_fragment(const Settings& s);
std::string me_fragment(const Settings& s);
std::string sar_fragment(const Settings& s);
std::string subme_fragment(const Settings& s);
std::string fast_subme_fragment(const Settings& s);
std::string toggles_fragment(const Settings& s);
std::string keyint_fragment(const Settings& s);
std::string entropy_fragment(const Settings& s);
std::string threads_fragment(const Settings& s);
std::string nr_fragment(const Settings& s);
std::string deblock_fragment(const Settings& s);
std::string bframe_fragment(const Settings& s);
std::string vbv_fragment(const Settings& s, bool with_ratetol);
std::string aq_fragment(const Settings& s);
std::string deadzone_fragment(const Settings& s);

} // namespace commands
