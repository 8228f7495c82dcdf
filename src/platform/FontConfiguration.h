#pragma once

#include <string>

namespace bw {

// The family of the font the system draws Japanese text with when a program
// names no font; empty where the system does not say. On Linux this first
// reads fontconfig's configuration (its files and caches), which Qt's font
// database would otherwise read at its first use: called on another thread,
// it does that read ahead of time.
std::string japaneseFontFamily();

}  // namespace bw
