#pragma once

#include "platform/ProgramLauncher.h"

#include <QList>
#include <stdexcept>

namespace bw::test {

// A launcher that records what it is asked to start and answers as told.
class RecordingLauncher : public ProgramLauncher {
public:
    struct Call {
        QString commandLine;
        int windowStyle;
    };

    bool starts = true;
    bool throws = false;
    QList<Call> calls;

    LaunchResult start(const QString& commandLine, int windowStyle) override {
        calls.append({commandLine, windowStyle});
        if (throws) {
            throw std::runtime_error("launcher broke");
        }
        return starts ? LaunchResult{true, {}} : LaunchResult{false, QStringLiteral("cannot start")};
    }
};

}  // namespace bw::test
