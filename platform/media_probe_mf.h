// Media Foundation as a media framework (Windows only).
#pragma once

#include "platform/media_probe.h"

namespace platform {

MediaProbe& media_foundation_probe();

} // namespace platform
