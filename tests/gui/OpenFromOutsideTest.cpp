#include "doubles/RecordingMessageBox.h"
#include "doubles/ScriptedFileDialog.h"
#include "editor/Form1.h"
#include "platform/SystemTextFileStore.h"
#include "platform/TextConversion.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace bw {

using test::RecordingMessageBox;
using test::ScriptedFileDialog;

class OpenFromOutsideTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedFileDialog> dialog;
    std::unique_ptr<RecordingMessageBox> messages;
    std::unique_ptr<TextFileStore> files;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<Form1> form;

    QAction* action(const QString& name) { return form->findChild<QAction*>(name); }

private slots:
    void init() {
        dialog = std::make_unique<ScriptedFileDialog>();
        messages = std::make_unique<RecordingMessageBox>();
        files = makeSystemTextFileStore();
        folder = std::make_unique<QTemporaryDir>();
        form = std::make_unique<Form1>(Form1Services{*dialog, *messages, *files, u"", {}, {}, {}});
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    void shortcuts_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("new") << "新規作成" << QKeySequence(Qt::CTRL | Qt::Key_N);
        QTest::newRow("open") << "VBSを開く" << QKeySequence(Qt::CTRL | Qt::Key_O);
        QTest::newRow("save") << "VBSとして保存" << QKeySequence(Qt::CTRL | Qt::Key_S);
        QTest::newRow("exit") << "終了" << QKeySequence(Qt::CTRL | Qt::Key_Q);
        QTest::newRow("code") << "コードを表示" << QKeySequence(Qt::Key_F7);
    }

    // Each key triggers its item once, also while a text box has the focus.
    void shortcuts() {
        QFETCH(QString, item);
        QFETCH(QKeySequence, keys);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text2"));
        QSignalSpy triggered(action(item), &QAction::triggered);
        QTest::keySequence(QApplication::focusWidget(), keys);
        QCOMPARE(triggered.count(), 1);
    }
};

}  // namespace bw

QTEST_MAIN(bw::OpenFromOutsideTest)
#include "OpenFromOutsideTest.moc"
