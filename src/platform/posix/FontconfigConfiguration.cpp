#include "platform/FontConfiguration.h"

#include <fontconfig/fontconfig.h>

namespace bw {

// Fontconfig keeps one configuration for the process, loaded by the first
// FcInit; Qt's font database calls FcInit again and finds it loaded.
void readFontConfiguration() { FcInit(); }

}  // namespace bw
