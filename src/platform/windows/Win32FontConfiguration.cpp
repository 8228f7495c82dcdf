#include "platform/FontConfiguration.h"

namespace bw {

void readFontConfiguration() {}

}  // namespace bw
