#include "platform/Superuser.h"

namespace bw {

bool runsAsSuperuser() { return false; }

}  // namespace bw
