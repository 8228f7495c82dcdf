#pragma once

#include "platform/FileCheck.h"

#include <QString>
#include <QStringList>

namespace bw::test {

// A file check that knows a list of plain files and records what it is asked.
class FakeFileCheck : public FileCheck {
public:
    QStringList files;
    mutable QStringList asked;

    bool plainFileExists(const QString& path) const override {
        asked.append(path);
        return files.contains(path);
    }
};

}  // namespace bw::test
