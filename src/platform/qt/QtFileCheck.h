#pragma once

#include "platform/FileCheck.h"

namespace bw {

// The file check on QFileInfo. A link counts as what it points to.
class QtFileCheck : public FileCheck {
public:
    bool plainFileExists(const QString& path) const override;
};

}  // namespace bw
