#include "platform/FontWarmup.h"

namespace bw {

// Qt's fonts come without a configuration to read ahead of time.
struct FontWarmup::Worker {};

FontWarmup::FontWarmup() = default;
FontWarmup::~FontWarmup() = default;
void FontWarmup::applicationReady() {}
void FontWarmup::wait() {}

}  // namespace bw
