#include "platform/FontConfiguration.h"

namespace bw {

// Windows picks its Japanese fonts per character (font linking), not from a
// configuration a program can ask.
std::string japaneseFontFamily() { return {}; }

}  // namespace bw
