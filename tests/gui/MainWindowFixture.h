#pragma once

#include "doubles/RecordingMessageBox.h"
#include "doubles/ScriptedFileDialog.h"
#include "editor/Form1.h"
#include "gui/ChildNamed.h"
#include "platform/SystemFileStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace bw::test {

// The main window as the window tests drive it: recorded file dialogs and
// message boxes, the system's text files and a folder of its own, made anew
// for every test.
class MainWindowFixture {
protected:
    std::unique_ptr<ScriptedFileDialog> dialog;
    std::unique_ptr<RecordingMessageBox> messages;
    std::unique_ptr<FileStore> files;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<Form1> form;

    // Makes and shows the window with the doubles and the other services
    // given; true once it is exposed.
    bool openWindow(std::u16string sampleFolder = {}, std::function<void()> showUpload = {},
                    std::function<void()> showAbout = {}, std::function<void(const std::u16string&)> showSend = {}) {
        dialog = std::make_unique<ScriptedFileDialog>();
        messages = std::make_unique<RecordingMessageBox>();
        files = makeSystemFileStore();
        folder = std::make_unique<QTemporaryDir>();
        form = std::make_unique<Form1>(Form1Services{*dialog, *messages, *files, std::move(sampleFolder),
                                                     std::move(showUpload), std::move(showAbout), std::move(showSend)});
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }

    template <typename T>
    T* get(const QString& name) const {
        return childNamed<T>(form.get(), name);
    }
    QString path(const QString& name) const { return folder->filePath(name); }
};

}  // namespace bw::test
