#pragma once

#include <QDialog>
#include <QList>

class QPushButton;
class QTextEdit;

namespace bw {

// A modal box that looks and answers like the message box a generated script
// shows: its buttons in the script's order with the style's default button
// (the first unless the style names another), the style's icon, right-aligned
// text when asked, and the result codes 1 to 7. Esc and the close box answer
// Cancel where the set has one, OK for OK only, and nothing for
// Abort/Retry/Ignore and Yes/No. The buttons carry the access keys of the
// system box; the letter presses its button with or without Alt.
//
// The prompt wraps at word boundaries, or anywhere in a word too long for a
// line, at a width tied to the screen; a prompt taller than the screen scrolls
// while the icon and the buttons stay in view.
class MessageDialog : public QDialog {
    Q_OBJECT

public:
    MessageDialog(const QString& prompt, int style, const QString& title, QWidget* parent = nullptr);

    int result() const { return result_; }
    const QList<QPushButton*>& buttons() const { return buttons_; }

    // The buttons' result codes for a style, left to right.
    static QList<int> buttonCodes(int style);
    // The code Esc and the close box answer with; 0 when they do nothing.
    static int escapeCode(int style);
    // The position of the default button among the style's buttons.
    static int defaultIndex(int style);

    void reject() override;

    // Closes the box after `seconds` with msgbox::ResultTimedOut, as
    // WScript.Shell's Popup does; 0 or less waits for a button.
    void closeAfter(int seconds);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void answer(int code);
    void fitPrompt(QTextEdit* text, int besideText, int belowText);

    int result_ = 0;
    int escapeCode_ = 0;
    QList<QPushButton*> buttons_;
};

}  // namespace bw
