#include "platform/Superuser.h"

#include <unistd.h>

namespace bw {

bool runsAsSuperuser() { return geteuid() == 0; }

}  // namespace bw
