#pragma once

#include <QString>

namespace bw {

// A file or folder that comes with the program (samples, the interface font):
// beside the executable in the build tree, under share/boxwright once
// installed. The path found, empty when neither place has it.
QString programDataPath(const QString& relative);

}  // namespace bw
