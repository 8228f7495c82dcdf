#pragma once

namespace bw {

// Whether the process runs as the superuser (root), whom some programs refuse
// to run for; Windows has no such user, and answers false. posix/ and windows/
// each implement it; CMake builds the one of the system (boxwright_superuser).
bool runsAsSuperuser();

}  // namespace bw
