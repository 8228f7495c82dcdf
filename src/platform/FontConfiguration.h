#pragma once

#include <string>

namespace bw {

// Reads the system's font configuration (fontconfig's files and caches on
// Linux) that Qt's font database reads at its first use, so that this read
// can happen ahead of time, on another thread. Where Qt's fonts come without
// such a configuration, it does nothing.
void readFontConfiguration();

// The family of the font the system draws Japanese text with when a program
// names no font; empty where the system does not say. Reads the configuration
// first if it is not read yet.
std::string japaneseFontFamily();

}  // namespace bw
