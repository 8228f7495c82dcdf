#include "CodeWindow.h"

#include "CodeView.h"

#include "codec/ScriptCodec.h"
#include "model/EditorRules.h"
#include "platform/qt/TextConversion.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <new>

namespace bw {

namespace {

// A format a save can write: its tab's title, its language and the format,
// whose lines come from the save's own writer. A writer is a pure function of
// its arguments: it may run on a worker thread.
struct CodeTab {
    const char16_t* title;
    ScriptLanguage language;
    ScriptFormat format;
};

// One tab for each format, in this order.
const CodeTab kTabs[] = {
    {u"VBScript", ScriptLanguage::VBScript, ScriptFormat::Vbs},
    {u"HTML", ScriptLanguage::Html, ScriptFormat::Html},
    {u"PowerShell", ScriptLanguage::PowerShell, ScriptFormat::Ps1},
};

}  // namespace

CodeWindow::CodeWindow(const EditorControls& editor, QWidget* parent)
    : QWidget(parent, Qt::Window), editor_(editor) {
    setObjectName(QStringLiteral("CodeWindow"));
    setWindowTitle(QStringLiteral("コード"));
    resize(720, 420);

    tabs_ = new QTabWidget(this);
    for (const CodeTab& tab : kTabs) {
        auto* view = new CodeView(tab.language, tabs_);
        view->setObjectName(QString::fromUtf16(tab.title));
        tabs_->addTab(view, QString::fromUtf16(tab.title));
        views_.push_back(view);
    }
    shown_.assign(views_.size(), 0);

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("note"));
    auto* copy = new QPushButton(QStringLiteral("コピー(&C)"), this);
    copy->setObjectName(QStringLiteral("copy"));
    auto* row = new QHBoxLayout;
    row->addWidget(note_, 1);
    row->addWidget(copy);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(row);

    update_ = new QTimer(this);
    update_->setSingleShot(true);
    noteTimer_ = new QTimer(this);
    noteTimer_->setSingleShot(true);
    noteTimer_->setInterval(3000);
    connect(update_, &QTimer::timeout, this, [this] { refreshIfStale(); });
    connect(noteTimer_, &QTimer::timeout, note_, &QLabel::clear);
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { refreshIfStale(); });
    connect(copy, &QPushButton::clicked, this, &CodeWindow::copyToClipboard);

    auto* close = new QAction(this);
    close->setShortcut(Qt::Key_Escape);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
}

// The worker's result is posted to this window; waiting for the worker here
// means the post is made before the window goes, which drops it.
CodeWindow::~CodeWindow() {
    if (worker_.valid()) {
        worker_.wait();
    }
}

CodeView* CodeWindow::currentView() const { return views_[static_cast<std::size_t>(tabs_->currentIndex())]; }

void CodeWindow::definitionChanged() {
    ++generation_;
    if (isVisible()) {
        // A zero delay still gathers the several changes of one command.
        scheduleRefresh();
    }
}

void CodeWindow::scheduleRefresh() { update_->start(shownSize_ > kLargeText ? kPauseMs : 0); }

void CodeWindow::refreshIfStale(Wait wait) {
    const auto tab = static_cast<std::size_t>(tabs_->currentIndex());
    if (shown_[tab] == generation_) {
        return;
    }
    const bool large = shownSize_ > kLargeText;
    if (large && wait == Wait::Allowed && worker_.valid()) {
        return;  // the running writer's result asks again
    }
    DialogDefinition def = readDefinition(editor_);
    // What the writers read of the window's state: not its snapshot of the
    // saved texts, which would be copied at every edit.
    const WindowState& current = editor_.state();
    WindowState state;
    state.iconValue = current.iconValue;
    state.buttonValue = current.buttonValue;
    state.returnCode = current.returnCode;
    state.rightSuffix = rightSuffixFor(def.rightAligned);  // as a save sets it before writing
    const ScriptFormat format = kTabs[tab].format;
    if (!large || wait == Wait::No) {
        showLines(tab, scriptLines(format, def, state), generation_);
        return;
    }
    workerTab_ = tab;
    workerGeneration_ = generation_;
    worker_ = std::async(std::launch::async, [this, def = std::move(def), state = std::move(state), format] {
        // The result always comes back, so that the window goes on following
        // edits even when a writer could not finish.
        Lines lines;
        try {
            lines = scriptLines(format, def, state);
        } catch (const std::bad_alloc&) {
            lines = {u"（メモリが足りないため、コードを表示できません）"};
        }
        QMetaObject::invokeMethod(this, &CodeWindow::takeWorkerResult, Qt::QueuedConnection);
        return lines;
    });
}

void CodeWindow::takeWorkerResult() {
    Lines lines = worker_.get();
    if (workerGeneration_ > shown_[workerTab_]) {
        showLines(workerTab_, std::move(lines), workerGeneration_);
    }
    if (isVisible() && shown_[static_cast<std::size_t>(tabs_->currentIndex())] != generation_) {
        scheduleRefresh();
    }
}

void CodeWindow::showLines(std::size_t tab, Lines lines, std::uint64_t generation) {
    shownSize_ = 0;
    for (const auto& line : lines) {
        shownSize_ += static_cast<qsizetype>(line.size()) + 2;
    }
    views_[tab]->setLines(std::move(lines));
    shown_[tab] = generation;
}

QString CodeWindow::fileText() {
    refreshIfStale(Wait::No);
    QString text;
    text.reserve(shownSize_);
    for (const auto& line : currentView()->lines()) {
        text += toQString(line);
        text += QStringLiteral("\r\n");
    }
    return text;
}

void CodeWindow::copyToClipboard() {
    QGuiApplication::clipboard()->setText(fileText());
    note_->setText(QStringLiteral("%1 をクリップボードにコピーしました。").arg(tabs_->tabText(tabs_->currentIndex())));
    noteTimer_->start();
}

void CodeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshIfStale();
    currentView()->setFocus();
}

}  // namespace bw
