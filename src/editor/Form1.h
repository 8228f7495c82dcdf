#pragma once

#include "commands/SaveCommand.h"
#include "model/EditorControls.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>

class QAbstractButton;
class QAction;
class QActionGroup;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace bw {

class CodeWindow;
class TextBox;
class FileDialog;
class MessageBoxService;
class FileStore;
struct SaveServices;

// What the main window calls outside itself.
struct Form1Services {
    FileDialog& fileDialog;
    MessageBoxService& messages;
    FileStore& files;
    std::u16string sampleFolder;  // where the sample command's file dialog starts
    std::function<void()> showUpload;
    std::function<void()> showAbout;
    std::function<void(const std::u16string& body)> showSend;
};

// The main window: its controls hold the dialog definition, and every command
// starts from one of its buttons or menu items and runs the core's rules.
class Form1 : public QMainWindow, public EditorControls {
    Q_OBJECT

public:
    static constexpr int kNarrowWidthTwips = 5130;
    static constexpr int kWideWidthTwips = 9180;
    // With follow-ups and a timeout: the timeout's slot right of the others.
    static constexpr int kWidestWidthTwips = 13140;
    static constexpr int kBorderTwips = 90;
    static constexpr int kClientHeightTwips = 7020;

    explicit Form1(Form1Services services, QWidget* parent = nullptr);
    ~Form1() override;

    int outerWidthTwips() const { return outerWidthTwips_; }

    // Opens a script named outside the window (the command line, a drop) as
    // the open command opens the file chosen in its dialog.
    void openPath(const std::u16string& path);

    std::u16string text(TextBoxId id) const override;
    void setText(TextBoxId id, const std::u16string& text) override;
    int checkValue(CheckBoxId id) const override;
    void setCheckValue(CheckBoxId id, int value) override;
    int selectedIconOption() const override;
    int selectedButtonOption() const override;
    void selectIconOption(int index) override;
    void selectButtonOption(int index) override;
    int defaultButton() const override;
    void setDefaultButton(int position) override;
    void setDefaultButtonChoices(int count) override;
    void setSlotControlsEnabled(int slot, bool enabled) override;
    void setSlotFrameVisible(int slot, bool visible) override;
    void setSlotCaption(int slot, std::u16string_view caption) override;
    std::u16string label1Caption() const override;
    void setLabel1Caption(const std::u16string& caption) override;
    BoxOptions boxOptions() const override;
    void setBoxOptions(const BoxOptions& options) override;
    WindowState& state() override { return state_; }
    const WindowState& state() const override { return state_; }

signals:
    // The program ends: the menu's Exit, or a close the exit prompt let through.
    void programEnding();
    // A text, option or check box changed: a save would write another script.
    void definitionChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void watchEditsAndDrops();
    void showCodeWindow();
    void setTabOrderByIndex();
    void setOuterWidth(int twips);
    void fitWidth();
    void buildTimeoutSlot();
    void askForTimeout();
    void showTimeout();
    void save(ScriptFormat format);
    bool settleWork();
    void afterSave(SaveOutcome outcome);
    void showDocument();
    void openScript(bool sample);
    void exitNow();
    SaveServices saveServices();
    void setSlotsFocusable(bool focusable);
    void buildLengthStatus();
    void updateLengthStatus();
    bool promptShown(TextBoxId id) const;
    void nameSlot(int slot);

    QCheckBox* checkBox(CheckBoxId id) const;
    std::size_t textLength(TextBoxId id) const;

    Form1Services services_;
    WindowState state_;
    int outerWidthTwips_ = kNarrowWidthTwips;
    bool ending_ = false;
    bool documentShown_ = false;  // the title shows the state after the last change
    static constexpr int kSavedMessageMilliseconds = 10000;
    CodeWindow* codeWindow_ = nullptr;  // made when first shown

    QWidget* client_ = nullptr;
    QLineEdit* text2_ = nullptr;
    std::array<TextBox*, 6> multiLine_{};  // indexed by TextBoxId; Text2 is the one-line box
    // A text edit turns a lone CR or LF into a line break, and a text too large
    // for a box to lay out quickly is shown only in part. The text last set by a
    // command is given back exactly as long as the user has not changed its box.
    std::array<std::u16string, 6> textSet_{};
    std::array<bool, 6> edited_{};        // the box changed since a command set its text
    std::array<QCheckBox*, 5> checks_{};  // indexed by CheckBoxId
    std::array<QGroupBox*, 3> slotFrames_{};
    QLabel* label1_ = nullptr;
    QButtonGroup* option1_ = nullptr;
    QButtonGroup* option2_ = nullptr;
    QActionGroup* defaultButtonGroup_ = nullptr;
    std::array<QAction*, 3> defaultButtonItems_{};
    // The options: the timeout's seconds, its item, the stay-on-top item, and
    // the timeout's slot, whose text is kept exactly as the others are.
    int timeoutSeconds_ = 0;
    QAction* timeoutItem_ = nullptr;
    QAction* stayOnTopItem_ = nullptr;
    QGroupBox* timeoutFrame_ = nullptr;
    QCheckBox* timeoutCheck_ = nullptr;
    TextBox* timeoutText_ = nullptr;
    std::u16string timeoutTextSet_ = u"本文";
    bool timeoutEdited_ = false;
    QLabel* lengthStatus_ = nullptr;            // the status bar's length of a prompt text
    QLabel* titleNote_ = nullptr;               // says when the title is shown only in part
    TextBoxId lengthShown_ = TextBoxId::Text1;  // the prompt text it counts
};

}  // namespace bw
