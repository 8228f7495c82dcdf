#pragma once

#include <QWidget>

#include <vector>

class QLabel;
class QTabWidget;
class QTimer;

namespace bw {

class CodeView;
class EditorControls;
class TextFileStore;

// The scripts a save would write now, a tab for each format, following every
// edit of the main window. Copy puts the current tab on the clipboard as its
// file would hold it.
class CodeWindow : public QWidget {
    Q_OBJECT

public:
    // Above this many UTF-16 units in the current tab, a change is shown once
    // the edits pause, so that typing in a large body stays smooth.
    static constexpr qsizetype kLargeText = qsizetype{1} << 20;
    static constexpr int kPauseMs = 250;

    CodeWindow(const EditorControls& editor, const TextFileStore& codePage, QWidget* parent);

    // The main window's definition changed. Only the tab in sight is rebuilt,
    // and only while the window is shown; the others when they are chosen.
    void definitionChanged();

    // The current tab as its file would hold it: every line followed by CR LF.
    QString fileText();
    void copyToClipboard();
    CodeView* currentView() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refreshIfStale();

    const EditorControls& editor_;
    const TextFileStore& codePage_;
    QTabWidget* tabs_ = nullptr;
    std::vector<CodeView*> views_;
    std::vector<bool> stale_;
    QTimer* update_ = nullptr;
    QLabel* note_ = nullptr;
    QTimer* noteTimer_ = nullptr;
    qsizetype shownSize_ = 0;
};

}  // namespace bw
