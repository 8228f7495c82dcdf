#pragma once

#include "ports/FileStore.h"

#include <memory>

namespace bw {

// The file store of the system this build runs on.
std::unique_ptr<FileStore> makeSystemFileStore();

}  // namespace bw
