#pragma once

#include "model/TextFileStore.h"

#include <memory>

namespace bw {

// The text-file service of the system this build runs on (code page 932, CR LF).
std::unique_ptr<TextFileStore> makeSystemTextFileStore();

}  // namespace bw
