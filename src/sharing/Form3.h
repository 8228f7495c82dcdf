#pragma once

#include <QWidget>

#include <memory>
#include <string>
#include <string_view>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace bw {

class MessageBoxService;
class ProgramLauncher;

// The network message window: an address, a message and a send button that
// starts "NET SEND <address> <message>". Deleted when closed
// (WA_DeleteOnClose), which discards what the fields hold.
class Form3 : public QWidget {
    Q_OBJECT

public:
    // messages tells the user when the command cannot be started; null: a
    // message box over this window.
    Form3(ProgramLauncher& launcher, MessageBoxService* messages, QWidget* parent = nullptr);
    ~Form3() override;

    // Text2, the message field; line breaks as CR LF pairs.
    std::u16string message() const;
    void setMessage(std::u16string_view text);
    // Text1, the address field.
    QString address() const;

    // "NET SEND " + address + " " + message, nothing trimmed, quoted or escaped.
    QString commandLine() const;

    // Command1_Click: start the command line, window style 2 (minimized).
    void send();

    static constexpr int kWindowStyleMinimized = 2;

private:
    ProgramLauncher& launcher_;
    MessageBoxService* messages_;
    std::unique_ptr<MessageBoxService> ownMessages_;
    QLineEdit* text1_ = nullptr;
    QPlainTextEdit* text2_ = nullptr;
    QPushButton* command1_ = nullptr;
};

}  // namespace bw
