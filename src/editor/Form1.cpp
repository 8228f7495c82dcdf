#include "Form1.h"

#include "CaptionedFrame.h"
#include "CodeWindow.h"
#include "ScriptDrop.h"
#include "TextBox.h"

#include "commands/EditorCommands.h"
#include "commands/OpenCommand.h"
#include "model/DialogTables.h"
#include "model/EditorRules.h"
#include "model/LargeText.h"
#include "model/MessageBoxStyle.h"
#include "platform/qt/BringToFront.h"
#include "platform/qt/TextConversion.h"
#include "platform/qt/Twips.h"
#include "ports/FileDialog.h"
#include "ports/MessageBoxService.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace bw {

namespace {

QString largeTextNote(std::size_t units) {
    return QStringLiteral(
               "この文章は %1 文字あり、先頭だけを表示しています。編集はできません。保存すると全文を書き出します。")
        .arg(groupedNumber(static_cast<qint64>(units)));
}

struct Placement {
    QWidget* widget;
    int tabIndex;
};

TextBox* multiLineBox(QWidget* parent, const char* name, const QString& initial, QRect where, bool scrollBar) {
    auto* box = new TextBox(parent);
    box->setPlainText(initial);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(where);
    box->setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    return box;
}

// A caption wider than its designed box (the platform's font is not the designed
// one) gets the width it needs, so no option or check box is clipped.
void fitCaption(QAbstractButton* button) {
    const int needed = button->sizeHint().width();
    if (needed > button->width()) {
        button->resize(needed, button->height());
    }
}

// Two columns of options whose captions, at the interface font, came out
// wider than designed: the right column moves right until no caption touches
// its neighbour, and both move left (no further than the gap from the frame's
// edge) until the right one ends the gap inside the frame.
void keepColumnsApart(QWidget* frame, std::initializer_list<QAbstractButton*> left,
                      std::initializer_list<QAbstractButton*> right) {
    const int gap = frame->fontMetrics().horizontalAdvance(QChar(0x3000)) / 2;
    int leftEnd = 0;
    int rightWidth = 0;
    for (QAbstractButton* option : left) leftEnd = std::max(leftEnd, option->geometry().right() + 1);
    for (QAbstractButton* option : right) rightWidth = std::max(rightWidth, option->width());
    const int leftX = (*left.begin())->x();
    int rightX = std::max((*right.begin())->x(), leftEnd + gap);
    const int overflow = rightX + rightWidth - (frame->width() - gap);
    const int shift = std::clamp(overflow, 0, std::max(0, leftX - gap));
    rightX -= shift;
    for (QAbstractButton* option : left) option->move(option->x() - shift, option->y());
    for (QAbstractButton* option : right) option->move(rightX, option->y());
}

// A text in a multi-line box: whole, or, when it is large, its beginning,
// read-only, with the bar that says so.
void showInBox(TextBox* box, const std::u16string& value) {
    const bool large = isLargeText(value);
    const QString note = large ? largeTextNote(value.size()) : QString();
    box->setPlainText(toEditText(large ? glimpse(value, kGlimpseLines) : value));
    box->setReadOnly(large);
    box->setToolTip(note);
    box->setNote(note);
}

// A plain strip of one colour, such as the decorative lines under the menu bar.
void fillWith(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

Form1::Form1(Form1Services services, QWidget* parent) : QMainWindow(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf16(kApplicationTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildMenus();
    buildControls();
    buildLengthStatus();
    watchEditsAndDrops();

    // The start state: narrow, then the icon and button-set rules of the first choices.
    setOuterWidth(kNarrowWidthTwips);
    applyStartState(*this);
    showDocument();
    text2_->setFocus();
}

Form1::~Form1() = default;

void Form1::buildMenus() {
    auto action = [this](QMenu* menu, const char* name, const QString& caption, auto slot) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(QString::fromUtf8(name));
        connect(item, &QAction::triggered, this, slot);
        return item;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("ファイル"));
    action(file, "新規作成", QStringLiteral("新規作成(&N)"), [this] {
        if (settleWork()) applyNew(*this);
        showDocument();
    })->setShortcuts(QKeySequence::New);
    action(file, "VBSを開く", QStringLiteral("VBSを開く(&V)"), [this] {
        openScript(false);
    })->setShortcuts(QKeySequence::Open);
    action(file, "上書き保存", QStringLiteral("上書き保存(&S)"), [this] {
        afterSave(saveCurrent(*this, saveServices()));
    })->setShortcuts(QKeySequence::Save);
    QAction* saveAsItem = action(file, "名前を付けて保存", QStringLiteral("名前を付けて保存(&A)..."),
                                 [this] { afterSave(bw::saveAs(*this, saveServices())); });
    saveAsItem->setShortcuts(QKeySequence::SaveAs);
    if (saveAsItem->shortcuts().isEmpty()) {
        saveAsItem->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);  // the X11 key scheme has none
    }
    action(file, "VBSとして保存", QStringLiteral("VBSとして保存(&B)"), [this] { save(ScriptFormat::Vbs); });
    action(file, "PowerShellを開く", QStringLiteral("PowerShellを開く(&O)"), [this] {
        if (settleWork()) readPs1Script(*this, services_.fileDialog, services_.files, services_.messages);
        showDocument();
    });
    action(file, "PowerShellとして保存", QStringLiteral("PowerShellとして保存(&P)"),
           [this] { save(ScriptFormat::Ps1); });
    file->addSeparator()->setObjectName(QStringLiteral("ア"));
    // 終了 ends the program at once. Its key closes the window instead, which
    // asks about unsaved work first: a key pressed by mistake loses nothing.
    QKeySequence quitKey(QKeySequence::Quit);
    if (quitKey.isEmpty()) {
        quitKey = QKeySequence(Qt::CTRL | Qt::Key_Q);  // the Windows key scheme has no standard key for it
    }
    action(file, "終了", QStringLiteral("終了(&E)"), [this] { exitNow(); });
    auto* quitShortcut = new QShortcut(quitKey, this);
    quitShortcut->setObjectName(QStringLiteral("終了キー"));
    connect(quitShortcut, &QShortcut::activated, this, &QWidget::close);

    QMenu* options = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    options->setObjectName(QStringLiteral("オプション"));
    action(options, "サンプル", QStringLiteral("サンプル(&S)"), [this] { openScript(true); });

    // The default button: one item a button of the selected set, captioned
    // with the button's own name.
    QMenu* defaults = options->addMenu(QStringLiteral("既定のボタン(&D)"));
    defaults->setObjectName(QStringLiteral("既定のボタン"));
    defaultButtonGroup_ = new QActionGroup(this);
    for (int position = 0; position < 3; ++position) {
        QAction* item = defaults->addAction(QString());
        item->setObjectName(QStringLiteral("既定のボタン%1").arg(position + 1));
        item->setCheckable(true);
        item->setChecked(position == 0);
        defaultButtonGroup_->addAction(item);
        defaultButtonItems_[static_cast<std::size_t>(position)] = item;
    }
    timeoutItem_ = action(options, "時間切れ", QString(), [this] { askForTimeout(); });
    stayOnTopItem_ = action(options, "常に手前に表示", QStringLiteral("常に手前に表示(&F)"), [] {});
    stayOnTopItem_->setCheckable(true);
    connect(stayOnTopItem_, &QAction::toggled, this, &Form1::definitionChanged);
    action(options, "アップロード", QStringLiteral("アップロード(&U)"), [this] {
        if (services_.showUpload) services_.showUpload();
    });
    // F7: no standard key of any platform, and no text box takes it (Ctrl+E
    // moves to the end of a line edit under the X11 key scheme).
    action(options, "コードを表示", QStringLiteral("コードを表示(&C)"), [this] {
        showCodeWindow();
    })->setShortcut(Qt::Key_F7);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("ヘルプ"));
    action(help, "バージョン情報", QStringLiteral("バージョン情報(&A)"), [this] {
        if (services_.showAbout) services_.showAbout();
    });
}

void Form1::buildControls() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(client_);
    QWidget* w = client_;
    std::vector<Placement> order;

    // Two decorative lines along the top edge, under the menu bar.
    auto* line2 = place(new QFrame(w), "Line2", QRect(0, 0, pixelsFromTwips(kWidestWidthTwips), 1));
    fillWith(line2, QColor(0x80, 0x80, 0x80));
    auto* line1 = place(new QFrame(w), "Line1", QRect(0, 1, pixelsFromTwips(kWidestWidthTwips), 2));
    fillWith(line1, Qt::white);

    // Each label is its box's buddy: a screen reader names the box by it.
    auto* titleLabel = place(new QLabel(QStringLiteral("タイトル"), w), "Label3", twipRect(120, 120, 735, 255));
    order.push_back({titleLabel, 28});
    text2_ = place(new QLineEdit(w), "Text2", twipRect(120, 360, 4815, 270));
    titleLabel->setBuddy(text2_);
    order.push_back({text2_, 0});
    auto* bodyLabel = place(new QLabel(QStringLiteral("本文"), w), "Label2", twipRect(120, 720, 495, 255));
    order.push_back({bodyLabel, 27});
    multiLine_[0] = multiLineBox(w, "Text1", {}, twipRect(120, 960, 4815, 2535), true);
    bodyLabel->setBuddy(multiLine_[0]);
    order.push_back({multiLine_[0], 1});

    auto button = [&](const char* name, const QString& caption, QRect where, int tab, auto slot) {
        auto* b = place(new QPushButton(caption, w), name, where);
        connect(b, &QPushButton::clicked, this, slot);
        order.push_back({b, tab});
    };
    button("Command1", QStringLiteral("プレビュー"), twipRect(120, 3600, 1815, 375), 15,
           [this] { runPreview(*this, services_.messages); });
    label1_ = place(new QLabel(QStringLiteral("0"), w), "Label1", twipRect(2160, 3720, 255, 255));
    label1_->setAccessibleName(QStringLiteral("プレビューのスタイル値"));
    label1_->hide();
    button("Command2", QStringLiteral("VBSで保存"), twipRect(2400, 3600, 1215, 375), 16,
           [this] { save(ScriptFormat::Vbs); });
    button("Command6", QStringLiteral("VBSを開く"), twipRect(3720, 3600, 1215, 375), 31, [this] { openScript(false); });
    button("Command3", QStringLiteral("HTMLで保存"), twipRect(120, 4080, 1815, 375), 38,
           [this] { save(ScriptFormat::Html); });
    button("Command5", QStringLiteral("ネット経由で相手に送る"), twipRect(2400, 4080, 2535, 375), 17, [this] {
        if (services_.showSend) services_.showSend(text(TextBoxId::Text1));
    });

    checks_[static_cast<std::size_t>(CheckBoxId::Check3)] =
        place(new QCheckBox(QStringLiteral("右寄せの文にする"), w), "Check3", twipRect(120, 4560, 1815, 255));
    order.push_back({checks_[static_cast<std::size_t>(CheckBoxId::Check3)], 29});
    multiLine_[2] = multiLineBox(w, "Text3", QStringLiteral("Text3"), twipRect(2040, 4560, 1215, 375), false);
    multiLine_[2]->setAccessibleName(QStringLiteral("読み込んだ最後の行"));
    multiLine_[2]->hide();
    order.push_back({multiLine_[2], 32});
    auto* check1 = place(new QCheckBox(QStringLiteral("続きを作る"), w), "Check1", twipRect(3480, 4560, 1455, 255));
    checks_[static_cast<std::size_t>(CheckBoxId::Check1)] = check1;
    order.push_back({check1, 30});
    connect(check1, &QCheckBox::toggled, this, [this] { fitWidth(); });

    // Icon choices: Option1, indices 0 to 3 in one row.
    auto* frame1 =
        place(new CaptionedFrame(QStringLiteral("表示するアイコン"), w), "Frame1", twipRect(120, 4920, 4815, 615));
    option1_ = new QButtonGroup(this);
    option1_->setObjectName(QStringLiteral("Option1"));
    const std::array<QRect, 4> iconPlaces = {twipRect(240, 240, 735, 255), twipRect(1200, 240, 1215, 255),
                                             twipRect(2640, 240, 735, 255), twipRect(3720, 240, 735, 255)};
    for (const IconRow& row : iconTable()) {
        auto* option = new QRadioButton(toQString(row.caption), frame1);
        option->setObjectName(QStringLiteral("Option1_%1").arg(row.optionIndex));
        option->setProperty("index", row.optionIndex);
        option->setGeometry(iconPlaces[static_cast<std::size_t>(row.optionIndex)]);
        fitCaption(option);
        option1_->addButton(option, row.optionIndex);
        order.push_back({option, 2 + row.optionIndex});
        connect(option, &QRadioButton::toggled, this, [this, index = row.optionIndex](bool on) {
            if (on) applyIconRule(*this, index);
        });
    }

    // Button-set choices: Option2, indices 5 to 10 in three rows.
    auto* frame2 =
        place(new CaptionedFrame(QStringLiteral("表示するボタン"), w), "Frame2", twipRect(120, 5640, 4815, 1335));
    option2_ = new QButtonGroup(this);
    option2_->setObjectName(QStringLiteral("Option2"));
    struct OptionPlace {
        int index;
        QRect where;
        int tab;
    };
    const std::array<OptionPlace, 6> setPlaces = {{{5, twipRect(240, 240, 975, 255), 6},
                                                   {6, twipRect(2280, 240, 1575, 255), 7},
                                                   {9, twipRect(240, 600, 1335, 255), 8},
                                                   {8, twipRect(2280, 600, 2295, 255), 9},
                                                   {7, twipRect(240, 960, 1935, 255), 10},
                                                   {10, twipRect(2280, 960, 1815, 255), 11}}};
    for (const OptionPlace& p : setPlaces) {
        const auto row = buttonSetRowForOption(p.index);
        auto* option = new QRadioButton(toQString(row->caption), frame2);
        option->setObjectName(QStringLiteral("Option2_%1").arg(p.index));
        option->setProperty("index", p.index);
        option->setGeometry(p.where);
        fitCaption(option);
        option2_->addButton(option, p.index);
        order.push_back({option, p.tab});
        connect(option, &QRadioButton::toggled, this, [this, index = p.index](bool on) {
            if (on) applyButtonSetRule(*this, index);
        });
    }
    keepColumnsApart(frame2, {option2_->button(5), option2_->button(9), option2_->button(7)},
                     {option2_->button(6), option2_->button(8), option2_->button(10)});

    // The three follow-up slots, right of the narrow window's client area.
    const std::array<const char*, 3> frameNames = {"Frame3", "Frame4", "Frame5"};
    const std::array<const char*, 3> checkNames = {"Check5", "Check6", "Check7"};
    const std::array<const char*, 3> textNames = {"Text4", "Text5", "Text6"};
    const std::array<int, 3> frameTops = {360, 2640, 4920};
    const std::array<int, 3> frameTabs = {20, 22, 21};
    for (std::size_t slot = 0; slot < 3; ++slot) {
        auto* frame = place(new CaptionedFrame({}, w), frameNames[slot], twipRect(5160, frameTops[slot], 3855, 2055));
        slotFrames_[slot] = frame;
        order.push_back({frame, frameTabs[slot]});
        auto* check = place(new QCheckBox(toQString(kDesignSlotCaptions[slot]), frame), checkNames[slot],
                            twipRect(120, 0, 2055, 255));
        check->setAutoFillBackground(true);
        const auto checkId = slotCheckBox(static_cast<int>(slot));
        checks_[static_cast<std::size_t>(checkId)] = check;
        order.push_back({check, 23 + static_cast<int>(slot)});
        auto* box = multiLineBox(frame, textNames[slot], QString::fromUtf16(kInitialFollowUpText),
                                 twipRect(120, 360, 3615, 1575), true);
        multiLine_[static_cast<std::size_t>(slotTextBox(static_cast<int>(slot)))] = box;
        order.push_back({box, 12 + static_cast<int>(slot)});
        connect(check, &QCheckBox::toggled, this, [box](bool on) { box->setEnabled(slotTextEnabledFor(on ? 1 : 0)); });
        nameSlot(static_cast<int>(slot));
    }

    buildTimeoutSlot();
    order.push_back({timeoutFrame_, 40});
    order.push_back({timeoutCheck_, 41});
    order.push_back({timeoutText_, 42});

    for (const TextBoxId id :
         {TextBoxId::Text1, TextBoxId::Text3, TextBoxId::Text4, TextBoxId::Text5, TextBoxId::Text6}) {
        const auto i = static_cast<std::size_t>(id);
        textSet_[i] = fromEditText(multiLine_[i]->toPlainText());
        connect(multiLine_[i]->document(), &QTextDocument::contentsChanged, this, [this, i] { edited_[i] = true; });
        // A text grown too large by a paste or by typing is kept as an opened one is.
        TextBox* box = multiLine_[i];
        connect(box, &TextBox::largeText, this, [this, id](const QString& whole) { setText(id, fromEditText(whole)); });
        connect(box, &TextBox::emptyingAsked, this, [this, id, box] {
            setText(id, u"");
            box->setFocus();
        });
    }
    connect(text2_, &QLineEdit::textChanged, this,
            [this] { edited_[static_cast<std::size_t>(TextBoxId::Text2)] = true; });

    std::sort(order.begin(), order.end(),
              [](const Placement& a, const Placement& b) { return a.tabIndex < b.tabIndex; });
    std::erase_if(order, [](const Placement& p) { return p.widget->focusPolicy() == Qt::NoFocus; });
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1].widget, order[i].widget);
    }
}

void Form1::watchEditsAndDrops() {
    connect(text2_, &QLineEdit::textChanged, this, &Form1::definitionChanged);
    for (QPlainTextEdit* box : multiLine_) {
        if (box) connect(box, &QPlainTextEdit::textChanged, this, &Form1::definitionChanged);
    }
    for (QCheckBox* check : checks_) {
        connect(check, &QCheckBox::toggled, this, &Form1::definitionChanged);
    }
    for (QButtonGroup* group : {option1_, option2_}) {
        connect(group, &QButtonGroup::idToggled, this, &Form1::definitionChanged);
    }
    for (QAction* item : defaultButtonItems_) {
        connect(item, &QAction::toggled, this, &Form1::definitionChanged);
    }

    // The modified mark is worked out once the change and the rules it runs are over.
    connect(this, &Form1::definitionChanged, this, [this] {
        if (documentShown_) {
            documentShown_ = false;
            QTimer::singleShot(0, this, [this] { showDocument(); });
        }
    });

    // A script file dropped anywhere on the window, text boxes included, opens.
    setAcceptDrops(true);
    installEventFilter(this);
    text2_->installEventFilter(this);
    for (QPlainTextEdit* box : multiLine_) {
        if (box) box->viewport()->installEventFilter(this);
    }
    timeoutText_->viewport()->installEventFilter(this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // Opened once the drop is over, so that a message box does not hold up the drag.
    const bool taken = handleFileDrag(
        event, [this](const QString& path) { QTimer::singleShot(0, this, [this, path] { openPath(toU16(path)); }); });
    return taken || QMainWindow::eventFilter(watched, event);
}

// One window, made on first use. It reads the controls after a change rather
// than inside its signal: a command's setText records its text only after the
// text box has signalled the change.
void Form1::showCodeWindow() {
    if (!codeWindow_) {
        codeWindow_ = new CodeWindow(*this, this);
        connect(this, &Form1::definitionChanged, codeWindow_, &CodeWindow::definitionChanged);
    }
    bringToFront(codeWindow_);
}

void Form1::setOuterWidth(int twips) {
    outerWidthTwips_ = twips;
    const int clientWidth = pixelsFromTwips(twips - kBorderTwips);
    client_->setFixedSize(clientWidth, pixelsFromTwips(kClientHeightTwips));
    setFixedSize(clientWidth,
                 pixelsFromTwips(kClientHeightTwips) + menuBar()->sizeHint().height() + statusBar()->minimumHeight());
    setSlotsFocusable(twips != kNarrowWidthTwips);
}

// The follow-up slots lie right of the narrow window's edge: while the window
// is narrow their controls take no focus, so Tab never lands in a box the user
// cannot see. The wide window gives each control its own focus policy back.
void Form1::setSlotsFocusable(bool focusable) {
    static constexpr char kOwnPolicy[] = "ownFocusPolicy";
    for (QGroupBox* frame : slotFrames_) {
        for (QWidget* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QVariant own = control->property(kOwnPolicy);
            if (focusable && own.isValid()) {
                control->setFocusPolicy(static_cast<Qt::FocusPolicy>(own.toInt()));
            } else if (!focusable && control->focusPolicy() != Qt::NoFocus) {
                control->setProperty(kOwnPolicy, static_cast<int>(control->focusPolicy()));
                control->setFocusPolicy(Qt::NoFocus);
            }
        }
        if (!focusable && frame->isAncestorOf(QApplication::focusWidget())) {
            checkBox(CheckBoxId::Check1)->setFocus();
        }
    }
}

// A status bar under the client area shows the length of the prompt text
// being edited (the body, or a follow-up text once it has had the focus)
// against what MsgBox shows, and warns in red while any of them is longer.
// It stays blank until a prompt text changes or takes the focus: drawing its
// text in the first frame raised the peak memory of start-up by about 200 KB.
void Form1::buildLengthStatus() {
    lengthStatus_ = new QLabel(this);
    lengthStatus_->setObjectName(QStringLiteral("lengthStatus"));
    lengthStatus_->setIndent(6);
    lengthStatus_->setAccessibleName(QStringLiteral("本文の文字数"));
    lengthStatus_->setToolTip(QStringLiteral("MsgBox が表示するのは %1 文字までです。超えた分は表示されません。"
                                             "改行は 2 文字と数えます。")
                                  .arg(groupedNumber(msgbox::PromptLimit)));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(lengthStatus_, 1);
    titleNote_ = new QLabel(this);
    titleNote_->setObjectName(QStringLiteral("titleNote"));
    titleNote_->hide();
    statusBar()->addWidget(titleNote_);
    // The bar's height is the height it has with a text in it, from the start:
    // only the window's width may ever change.
    lengthStatus_->setText(QStringLiteral("本文：0 / 1,023 文字"));
    statusBar()->setFixedHeight(statusBar()->sizeHint().height());
    lengthStatus_->clear();
    for (const TextBoxId id : {TextBoxId::Text1, TextBoxId::Text4, TextBoxId::Text5, TextBoxId::Text6}) {
        connect(multiLine_[static_cast<std::size_t>(id)], &QPlainTextEdit::textChanged, this,
                [this] { updateLengthStatus(); });
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (const TextBoxId id : {TextBoxId::Text1, TextBoxId::Text4, TextBoxId::Text5, TextBoxId::Text6}) {
            if (now == multiLine_[static_cast<std::size_t>(id)] &&
                (id != lengthShown_ || lengthStatus_->text().isEmpty())) {
                lengthShown_ = id;
                updateLengthStatus();
            }
        }
    });
}

void Form1::updateLengthStatus() {
    // The length MsgBox sees: UTF-16 units of the prompt string, in which a
    // line break is the CR LF pair the script puts there, so it counts as two.
    auto length = [this](TextBoxId id) { return static_cast<qint64>(textLength(id)); };
    auto name = [this](TextBoxId id) {
        for (int slot = 0; slot < 3; ++slot) {
            if (slotTextBox(slot) == id) {
                return QStringLiteral("「%1」").arg(checkBox(slotCheckBox(slot))->text());
            }
        }
        return QStringLiteral("本文");
    };
    // The text being edited, or else the first text that is too long; only
    // a text the user can see is named.
    if (!promptShown(lengthShown_)) {
        lengthShown_ = TextBoxId::Text1;
    }
    TextBoxId shown = lengthShown_;
    for (const TextBoxId id : {lengthShown_, TextBoxId::Text1, TextBoxId::Text4, TextBoxId::Text5, TextBoxId::Text6}) {
        if (promptShown(id) && length(id) > msgbox::PromptLimit) {
            shown = id;
            break;
        }
    }
    const qint64 n = length(shown);
    const bool over = n > msgbox::PromptLimit;
    const QString counts = QStringLiteral("%1 / %2 文字").arg(groupedNumber(n), groupedNumber(msgbox::PromptLimit));
    lengthStatus_->setText(over ? QStringLiteral("%1が長すぎます：%2").arg(name(shown), counts)
                                : QStringLiteral("%1：%2").arg(name(shown), counts));
    lengthStatus_->setAccessibleName(QStringLiteral("%1の文字数").arg(name(shown)));
    if (over != lengthStatus_->property("over").toBool()) {
        lengthStatus_->setProperty("over", over);
        QPalette palette = this->palette();
        if (over) {
            palette.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
        }
        lengthStatus_->setPalette(palette);
    }
}

// The timeout's slot: right of the others, shown while the window has
// follow-ups and a timeout is set.
void Form1::buildTimeoutSlot() {
    timeoutFrame_ = place(new CaptionedFrame({}, client_), "Frame6", twipRect(9120, 360, 3855, 2055));
    timeoutFrame_->setAccessibleName(QStringLiteral("続き：時間切れのとき"));
    timeoutFrame_->hide();
    timeoutCheck_ =
        place(new QCheckBox(QStringLiteral("時間切れのとき"), timeoutFrame_), "Check8", twipRect(120, 0, 2055, 255));
    timeoutCheck_->setAutoFillBackground(true);
    timeoutCheck_->setChecked(true);
    fitCaption(timeoutCheck_);
    timeoutText_ = multiLineBox(timeoutFrame_, "Text7", QString::fromUtf16(kInitialFollowUpText),
                                twipRect(120, 360, 3615, 1575), true);
    timeoutText_->setAccessibleName(QStringLiteral("「時間切れのとき」の本文"));
    connect(timeoutCheck_, &QCheckBox::toggled, this, [this](bool on) {
        timeoutText_->setEnabled(slotTextEnabledFor(on ? 1 : 0));
        emit definitionChanged();
    });
    connect(timeoutText_, &QPlainTextEdit::textChanged, this, [this] {
        timeoutEdited_ = true;
        emit definitionChanged();
    });
    const auto keep = [this](const std::u16string& value) {
        showInBox(timeoutText_, value);
        timeoutTextSet_ = value;
        timeoutEdited_ = false;
    };
    connect(timeoutText_, &TextBox::largeText, this, [keep](const QString& whole) { keep(fromEditText(whole)); });
    connect(timeoutText_, &TextBox::emptyingAsked, this, [this, keep] {
        keep(u"");
        timeoutText_->setFocus();
    });
    showTimeout();
}

// The item names the timeout it has set.
void Form1::showTimeout() {
    timeoutItem_->setText(timeoutSeconds_ > 0
                              ? QStringLiteral("時間切れ: %1 秒(&T)...").arg(groupedNumber(timeoutSeconds_))
                              : QStringLiteral("時間切れ(&T)..."));
}

void Form1::askForTimeout() {
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("時間切れの設定"));
    dialog.setWindowTitle(QStringLiteral("時間切れ"));
    dialog.setLabelText(QStringLiteral("最初のボックスが自分で閉じるまでの秒数（0 で閉じません。最長 %1 秒）:")
                            .arg(groupedNumber(kLongestTimeoutSeconds)));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(0, kLongestTimeoutSeconds);
    dialog.setIntValue(timeoutSeconds_);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    BoxOptions options = boxOptions();
    options.timeoutSeconds = dialog.intValue();
    setBoxOptions(options);
}

BoxOptions Form1::boxOptions() const {
    return BoxOptions{
        timeoutSeconds_,
        {timeoutCheck_->isChecked(), timeoutEdited_ ? fromEditText(timeoutText_->toPlainText()) : timeoutTextSet_},
        stayOnTopItem_->isChecked()};
}

void Form1::setBoxOptions(const BoxOptions& options) {
    const bool secondsChanged = options.timeoutSeconds != timeoutSeconds_;
    timeoutSeconds_ = std::clamp(options.timeoutSeconds, 0, kLongestTimeoutSeconds);
    showTimeout();
    stayOnTopItem_->setChecked(options.stayOnTop);
    timeoutCheck_->setChecked(options.onTimeout.enabled);
    if (options.onTimeout.text != boxOptions().onTimeout.text) {
        showInBox(timeoutText_, options.onTimeout.text);
    }
    timeoutTextSet_ = options.onTimeout.text;
    timeoutEdited_ = false;
    fitWidth();
    if (secondsChanged) {
        emit definitionChanged();
    }
}

// A slot's frame carries no caption of its own (its check box does): the
// frame and its text box are named after the check box for a screen reader.
void Form1::nameSlot(int slot) {
    const QString caption = checkBox(slotCheckBox(slot))->text();
    slotFrames_[static_cast<std::size_t>(slot)]->setAccessibleName(QStringLiteral("続き：%1").arg(caption));
    multiLine_[static_cast<std::size_t>(slotTextBox(slot))]->setAccessibleName(
        QStringLiteral("「%1」の本文").arg(caption));
}

// The body always; a follow-up text while the window is wide and its slot shown.
bool Form1::promptShown(TextBoxId id) const {
    for (int slot = 0; slot < 3; ++slot) {
        if (slotTextBox(slot) == id) {
            return outerWidthTwips_ != kNarrowWidthTwips &&
                   slotFrames_[static_cast<std::size_t>(slot)]->isVisibleTo(this);
        }
    }
    return true;
}

// The width follows Check1: narrow without follow-ups, wide with them, and
// wider still when a timeout adds its slot.
void Form1::fitWidth() {
    const bool followUps = checkBox(CheckBoxId::Check1)->isChecked();
    const bool timed = followUps && timeoutSeconds_ > 0;
    timeoutFrame_->setVisible(timed);
    setOuterWidth(!followUps ? kNarrowWidthTwips : timed ? kWidestWidthTwips : kWideWidthTwips);
    if (lengthStatus_ && !lengthStatus_->text().isEmpty()) {
        updateLengthStatus();
    }
}

SaveServices Form1::saveServices() { return SaveServices{services_.fileDialog, services_.files, services_.messages}; }

void Form1::save(ScriptFormat format) { afterSave(saveScript(*this, format, saveServices())); }

bool Form1::settleWork() { return settleUnsavedWork(*this, saveServices(), SnapshotAfterSave::Take); }

void Form1::openScript(bool sample) {
    if (settleWork()) {
        readScript(*this, services_.fileDialog, services_.files, services_.messages,
                   sample ? services_.sampleFolder : std::u16string());
    }
    showDocument();
}

void Form1::openPath(const std::u16string& path) {
    if (settleWork()) {
        openScriptFile(*this, path, services_.files, services_.messages);
    }
    showDocument();
}

void Form1::afterSave(SaveOutcome outcome) {
    if (outcome == SaveOutcome::Written) {
        statusBar()->showMessage(QStringLiteral("「%1」に保存しました。").arg(toQString(state_.outputPath)),
                                 kSavedMessageMilliseconds);
    }
    showDocument();
}

// The title names the current document, or 無題 before the first open or
// save, with the modified mark while the work differs from it.
void Form1::showDocument() {
    documentShown_ = true;
    const std::u16string& path = state_.scriptPath;
    std::size_t slash = path.size();
    while (slash > 0 && path[slash - 1] != u'/' && path[slash - 1] != u'\\') {
        --slash;
    }
    const QString name = path.empty() ? QStringLiteral("無題") : toQString(path.substr(slash));
    const QString title = QStringLiteral("%1[*] - %2").arg(name, QString::fromUtf16(kApplicationTitle));
    if (title != windowTitle()) {
        setWindowTitle(title);
        setWindowFilePath(toQString(path));
    }
    setWindowModified(hasUnsavedChanges(*this));
}

void Form1::exitNow() {
    ending_ = true;
    emit programEnding();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (ending_) {
        event->accept();
        return;
    }
    if (runExitPrompt(*this, saveServices()) == CloseDecision::KeepOpen) {
        event->ignore();
        return;
    }
    ending_ = true;
    event->accept();
    emit programEnding();
}

QCheckBox* Form1::checkBox(CheckBoxId id) const { return checks_[static_cast<std::size_t>(id)]; }

std::u16string Form1::text(TextBoxId id) const {
    const auto i = static_cast<std::size_t>(id);
    if (!edited_[i]) {
        return textSet_[i];
    }
    return id == TextBoxId::Text2 ? toU16(text2_->text()) : fromEditText(multiLine_[i]->toPlainText());
}

std::size_t Form1::textLength(TextBoxId id) const {
    const auto i = static_cast<std::size_t>(id);
    if (!edited_[i]) {
        return textSet_[i].size();
    }
    // The edit's document holds each line break as the end of a block; in the
    // script it is a CR LF pair, two units. This costs the same in a long text
    // as in a short one.
    const QTextDocument* document = multiLine_[i]->document();
    return static_cast<std::size_t>(document->characterCount() - 1 + document->blockCount() - 1);
}

// A text that a box would take long to lay out (a text edit shapes a whole
// line at once) is shown in part and read-only; the window keeps all of it.
void Form1::setText(TextBoxId id, const std::u16string& value) {
    const auto i = static_cast<std::size_t>(id);
    // A one-line box also holds no more than its maximum length (32,767).
    const bool large =
        isLargeText(value) || (id == TextBoxId::Text2 && value.size() > static_cast<std::size_t>(text2_->maxLength()));
    const QString toolTip = large ? largeTextNote(value.size()) : QString();
    if (id == TextBoxId::Text2) {
        text2_->setText(large ? toQString(glimpse(value, 1)) : toQString(value));
        text2_->setReadOnly(large);
        text2_->setToolTip(toolTip);
        // The one-line box has no room for a bar: the status bar says it.
        if (titleNote_) {
            titleNote_->setText(
                large ? QStringLiteral("タイトルは %1 文字あり、先頭だけを表示しています（編集できません）")
                            .arg(groupedNumber(static_cast<qint64>(value.size())))
                      : QString());
            titleNote_->setVisible(large);
        }
    } else {
        showInBox(multiLine_[i], value);
    }
    textSet_[i] = value;
    edited_[i] = false;
}

int Form1::checkValue(CheckBoxId id) const { return checkBox(id)->isChecked() ? 1 : 0; }

void Form1::setCheckValue(CheckBoxId id, int value) { checkBox(id)->setChecked(value != 0); }

int Form1::selectedIconOption() const { return option1_->checkedId(); }
int Form1::selectedButtonOption() const { return option2_->checkedId(); }

void Form1::selectIconOption(int index) {
    if (QAbstractButton* option = option1_->button(index)) {
        if (option->isChecked()) {
            applyIconRule(*this, index);
        } else {
            option->setChecked(true);
        }
    }
}

// Selecting the set that is already selected runs its rule again, so its slots
// come out checked as after any other choice.
void Form1::selectButtonOption(int index) {
    if (QAbstractButton* option = option2_->button(index)) {
        if (option->isChecked()) {
            applyButtonSetRule(*this, index);
        } else {
            option->setChecked(true);
        }
    }
}

int Form1::defaultButton() const {
    for (int position = 0; position < 3; ++position) {
        if (defaultButtonItems_[static_cast<std::size_t>(position)]->isChecked()) {
            return position;
        }
    }
    return 0;
}

void Form1::setDefaultButton(int position) {
    if (position >= 0 && position < 3) {
        defaultButtonItems_[static_cast<std::size_t>(position)]->setChecked(true);
    }
}

void Form1::setDefaultButtonChoices(int count) {
    const auto row = buttonSetRowForOption(selectedButtonOption());
    for (int position = 0; position < 3; ++position) {
        QAction* item = defaultButtonItems_[static_cast<std::size_t>(position)];
        item->setVisible(position < count);
        const std::u16string_view name =
            row ? buttonName(row->returnCodes[static_cast<std::size_t>(position)]) : std::u16string_view();
        item->setText(QStringLiteral("%1(&%2)").arg(toQString(name)).arg(position + 1));
    }
}

void Form1::setSlotControlsEnabled(int slot, bool enabled) {
    checkBox(slotCheckBox(slot))->setEnabled(enabled);
    multiLine_[static_cast<std::size_t>(slotTextBox(slot))]->setEnabled(enabled);
}

void Form1::setSlotFrameVisible(int slot, bool visible) {
    slotFrames_[static_cast<std::size_t>(slot)]->setVisible(visible);
}

void Form1::setSlotCaption(int slot, std::u16string_view caption) {
    QCheckBox* check = checkBox(slotCheckBox(slot));
    check->setText(toQString(caption));
    fitCaption(check);
    nameSlot(slot);
    if (lengthStatus_ && !lengthStatus_->text().isEmpty()) {
        updateLengthStatus();
    }
}

std::u16string Form1::label1Caption() const { return toU16(label1_->text()); }
void Form1::setLabel1Caption(const std::u16string& caption) { label1_->setText(toQString(caption)); }

}  // namespace bw
