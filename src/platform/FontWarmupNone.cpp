#include "platform/FontWarmup.h"

namespace bw {

// The toolkit's fonts come without a configuration to load ahead of time.
struct FontWarmup::Worker {};

FontWarmup::FontWarmup() = default;
FontWarmup::~FontWarmup() = default;
void FontWarmup::wait() {}

}  // namespace bw
