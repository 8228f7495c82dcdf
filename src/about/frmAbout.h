#pragma once

#include "AboutServices.h"

#include <QDialog>

#include <cstdint>

class QLabel;
class QPushButton;

namespace bw {

// The About box: the program's name, its version label, the home-page link and
// the system-information command. Building the box is its load: the caption
// and the title are set then. It is modeless, and closing it deletes it.
//
// cmdOK is the default and the cancel button: Esc closes the box whatever has
// the focus, and Enter closes it unless the focus is on cmdSysInfo, which lies
// below the client area and is reached with Alt+S or Tab.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    // The client area and the controls are laid out in twips (platform/qt/Twips.h).
    static constexpr int kClientWidthTwips = 4290;
    static constexpr int kClientHeightTwips = 1605;

    explicit frmAbout(const AboutServices& services, QWidget* parent = nullptr);

    // Starts the system-information tool registered on this machine, or says
    // that there is none. Never fails otherwise.
    void StartSysInfo();

    // Reads a registry value as text: a string as it is stored, a 32-bit
    // number in decimal, and for any other type `keyVal` is left as passed.
    // On failure `keyVal` is "" and the result false.
    bool GetKeyValue(std::uint32_t keyRoot, const QString& keyName, const QString& subKeyRef, QString& keyVal);

    // The link's text colour: blue while the mouse has last moved over the
    // link, black again once it moves over the box's own background.
    QColor linkColor() const;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setLinkColor(const QColor& color);
    void openHomePage();

    AboutServices services_;
    QPushButton* cmdOK_ = nullptr;
    QLabel* picIcon_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    bool linkPressed_ = false;
};

}  // namespace bw
