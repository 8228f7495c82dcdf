#pragma once

namespace bw {

// Reads the system's font configuration (fontconfig's files and caches on
// Linux) that Qt's font database reads at its first use, so that this read
// can happen ahead of time, on another thread. Where Qt's fonts come without
// such a configuration, it does nothing.
void readFontConfiguration();

}  // namespace bw
