#pragma once

#include <QWidget>

#include <cstdint>
#include <future>
#include <string>
#include <vector>

class QLabel;
class QTabWidget;
class QTimer;

namespace bw {

class CodeView;
class EditorControls;

// The scripts a save would write now, a tab for each format, following every
// edit of the main window. Copy puts the current tab on the clipboard as its
// file would hold it.
//
// A small script is rebuilt right after each edit. A large one is rebuilt
// once the edits pause, and its writer runs on a worker thread, so that only
// reading the controls and laying out the changed line hold up the window.
class CodeWindow : public QWidget {
    Q_OBJECT

public:
    // Above this many UTF-16 units in the current tab, a change is shown once
    // the edits pause, so that typing in a large body stays smooth.
    static constexpr qsizetype kLargeText = qsizetype{1} << 20;
    static constexpr int kPauseMs = 250;

    CodeWindow(const EditorControls& editor, QWidget* parent);
    ~CodeWindow() override;

    // The main window's definition changed. Only the tab in sight is rebuilt,
    // and only while the window is shown; the others when they are chosen.
    void definitionChanged();

    // The current tab as its file would hold it now: every line followed by CR LF.
    QString fileText();
    void copyToClipboard();
    CodeView* currentView() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    using Lines = std::vector<std::u16string>;

    enum class Wait { Allowed, No };
    // Refreshes the current tab from the event loop: at once, or after a
    // pause while the script is large.
    void scheduleRefresh();
    void refreshIfStale(Wait wait = Wait::Allowed);
    void showLines(std::size_t tab, Lines lines, std::uint64_t generation);
    void takeWorkerResult();

    const EditorControls& editor_;
    QTabWidget* tabs_ = nullptr;
    std::vector<CodeView*> views_;
    // Each edit starts a new generation; a tab is stale while it shows an older one.
    std::uint64_t generation_ = 1;
    std::vector<std::uint64_t> shown_;
    qsizetype shownSize_ = 0;
    QTimer* update_ = nullptr;
    QLabel* note_ = nullptr;
    QTimer* noteTimer_ = nullptr;

    // The one writer run on the worker thread, if any, and what it writes.
    std::future<Lines> worker_;
    std::size_t workerTab_ = 0;
    std::uint64_t workerGeneration_ = 0;
};

}  // namespace bw
