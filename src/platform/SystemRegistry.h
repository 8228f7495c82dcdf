#pragma once

#include "Registry.h"

#include <memory>

namespace bw {

// The registry of the system this build runs on: the real one on Windows, and
// elsewhere a small stand-in that knows only where the system-information tool is.
std::unique_ptr<Registry> makeSystemRegistry();

}  // namespace bw
