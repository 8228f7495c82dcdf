#pragma once

#include <QObject>
#include <QString>

namespace bw::test {

// The child of `in` with the object name `name`, of type T. A missing child
// ends the test program, naming it: every later step would need it.
template <typename T>
T* childNamed(const QObject* in, const QString& name) {
    T* child = in->findChild<T*>(name);
    if (child == nullptr) {
        qFatal("no child %s", qPrintable(name));
    }
    return child;
}

}  // namespace bw::test
