#include "frmAbout.h"

#include "BuildSettings.h"
#include "ports/MessageBoxService.h"
#include "model/MessageBoxStyle.h"
#include "platform/BrowserWindowService.h"
#include "platform/FileCheck.h"
#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"
#include "platform/qt/TextConversion.h"
#include "platform/qt/Twips.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <array>
#include <exception>
#include <string_view>

namespace bw {

namespace {

// Access mask the keys are opened with: READ_CONTROL and every key-specific right.
constexpr std::uint32_t kKeyAccess = 0x2003F;
// The buffer a value is read into.
constexpr std::uint32_t kValueBufferSize = 1024;
// Window style the system-information tool is started with: normal and active.
constexpr int kNormalFocus = 1;

constexpr char16_t kNoSysInfo[] = u"現時点ではｼｽﾃﾑ情報を使用できません";
constexpr char16_t kSysInfoFile[] = u"\\MSINFO32.EXE";

const QColor kLinkBlue(0, 0, 255);
const QColor kLinkBlack(0, 0, 0);

// The box's typeface, with the Japanese gothic faces that stand in for it where
// it is not installed, so that the Japanese texts always have their glyphs.
QFont boxFont(qreal points) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Source Han Sans JP"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"), QStringLiteral("TakaoPGothic")});
    font.setPointSizeF(points);
    return font;
}

// The program's icon: the application's, else the one built into the program,
// else the style's generic one.
QIcon programIcon(const QStyle* style) {
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull() && QFile::exists(QStringLiteral(":/boxwright.png"))) {
        icon = QIcon(QStringLiteral(":/boxwright.png"));
    }
    if (icon.isNull()) {
        icon = style->standardIcon(QStyle::SP_ComputerIcon);
    }
    return icon;
}

// Runs one step whose failure the user is not told of: an exception ends the
// step and is written to the log, and the caller goes on. True when the step
// ran to its end.
template <typename Step>
bool attempt(const char* what, Step&& step) {
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        qWarning("boxwright: %s failed: %s", what, error.what());
    } catch (...) {
        qWarning("boxwright: %s failed", what);
    }
    return false;
}

// A 32-bit number stored low byte first, in decimal.
QString numberText(std::string_view bytes) {
    std::uint32_t value = 0;
    const std::size_t count = std::min<std::size_t>(bytes.size(), 4);
    for (std::size_t i = 0; i < count; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return QString::number(value);
}

}  // namespace

frmAbout::frmAbout(const AboutServices& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(services) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    // An open About box alone does not keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setModal(false);
    setFixedSize(pixelsFromTwips(kClientWidthTwips), pixelsFromTwips(kClientHeightTwips));
    setFont(boxFont(9));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    // Moves over the background reset the link's colour.
    setMouseTracking(true);

    buildControls();

    // Load.
    setWindowTitle(toQString(kApplicationTitle) + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    lblTitle_->setText(toQString(kApplicationTitle));
}

void frmAbout::buildControls() {
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(twipRect(2640, 360, 1380, 345));
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QWidget::close);

    picIcon_ = new QLabel(this);
    picIcon_->setObjectName(QStringLiteral("picIcon"));
    picIcon_->setGeometry(twipRect(240, 240, 540, 540));
    picIcon_->setAlignment(Qt::AlignCenter);
    const int iconSize = style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, this);
    picIcon_->setPixmap(programIcon(style()).pixmap(QSize(iconSize, iconSize), devicePixelRatio()));

    lblTitle_ = new QLabel(this);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblTitle_->setGeometry(twipRect(960, 240, 1485, 360));
    lblTitle_->setFont(boxFont(12));

    cmdSysInfo_ = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo_->setGeometry(twipRect(4260, 3075, 1380, 345));
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    label1_ = new QLabel(QString::fromUtf8(build::kVersionLabel), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(twipRect(960, 840, 1935, 255));

    label2_ = new QLabel(QString::fromUtf8(build::kHomeUrl), this);
    label2_->setObjectName(QStringLiteral("Label2"));
    QFont linkFont = boxFont(9);
    linkFont.setUnderline(true);
    label2_->setFont(linkFont);
    QRect linkRect = twipRect(960, 1320, 2535, 255);
    // A longer address than the designed one widens the link up to the box's
    // right margin rather than being cut off.
    const int textWidth = QFontMetrics(linkFont).horizontalAdvance(label2_->text()) + 2;
    const int rightMargin = pixelsFromTwips(240);
    linkRect.setWidth(std::max(linkRect.width(), std::min(textWidth, width() - rightMargin - linkRect.left())));
    label2_->setGeometry(linkRect);
    label2_->setMouseTracking(true);
    label2_->installEventFilter(this);
    setLinkColor(kLinkBlack);

    for (QLabel* label : {picIcon_, lblTitle_, label1_, label2_}) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(label == picIcon_ ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
    }
    // A move over a control stays with that control: only moves over the
    // background itself reach the box.
    for (QWidget* control :
         std::initializer_list<QWidget*>{cmdOK_, picIcon_, lblTitle_, cmdSysInfo_, label1_, label2_}) {
        control->setAttribute(Qt::WA_NoMousePropagation);
    }

    // Focus order: cmdOK, picIcon, lblTitle, cmdSysInfo, Label1, Label2; only
    // the two buttons take the focus.
    setTabOrder(cmdOK_, picIcon_);
    setTabOrder(picIcon_, lblTitle_);
    setTabOrder(lblTitle_, cmdSysInfo_);
    setTabOrder(cmdSysInfo_, label1_);
    setTabOrder(label1_, label2_);
    cmdOK_->setFocus();
}

void frmAbout::StartSysInfo() {
    // Any failure on the way, the tool not starting included, ends at the message.
    bool started = false;
    attempt("starting the system-information tool", [&] {
        QString sysInfoPath;
        bool found = GetKeyValue(registry::kLocalMachine, toQString(registry::kSysInfoKey),
                                 toQString(registry::kSysInfoValue), sysInfoPath);
        if (!found && GetKeyValue(registry::kLocalMachine, toQString(registry::kSysInfoLocationKey),
                                  toQString(registry::kSysInfoLocationValue), sysInfoPath)) {
            const QString candidate = sysInfoPath + toQString(kSysInfoFile);
            if (services_.files.plainFileExists(candidate)) {
                sysInfoPath = candidate;
                found = true;
            }
        }
        // A path read from the first key is started as it is, without looking for the file.
        started = found && services_.launcher.start(sysInfoPath, kNormalFocus).started;
    });
    if (!started) {
        services_.messageBox.show(kNoSysInfo, msgbox::OkOnly, std::nullopt);
    }
}

bool frmAbout::GetKeyValue(std::uint32_t keyRoot, const QString& keyName, const QString& subKeyRef, QString& keyVal) {
    Registry& registry = services_.registry;
    Registry::Key key = 0;
    if (registry.openKey(keyRoot, registry.encode(toU16(keyName)), kKeyAccess, key) != registry::kSuccess) {
        keyVal.clear();
        return false;
    }

    std::array<unsigned char, kValueBufferSize> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = kValueBufferSize;
    if (registry.queryValue(key, registry.encode(toU16(subKeyRef)), type, buffer.data(), size) != registry::kSuccess) {
        keyVal.clear();
        registry.closeKey(key);
        return false;
    }

    std::string_view stored(reinterpret_cast<const char*>(buffer.data()), std::min(size, kValueBufferSize));
    // The byte count includes a string's terminating NUL when it has one.
    if (!stored.empty() && stored.back() == '\0') {
        stored.remove_suffix(1);
    }
    if (type == registry::kString) {
        keyVal = toQString(registry.decode(stored));
    } else if (type == registry::kNumber) {
        keyVal = numberText(stored);
    }

    registry.closeKey(key);
    return true;
}

QColor frmAbout::linkColor() const { return label2_->palette().color(QPalette::WindowText); }

void frmAbout::setLinkColor(const QColor& color) {
    QPalette palette = label2_->palette();
    palette.setColor(QPalette::WindowText, color);
    label2_->setPalette(palette);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    // While a button is held the box also hears moves outside itself; those are
    // not over its background.
    if (rect().contains(event->position().toPoint())) {
        setLinkColor(kLinkBlack);
    }
    QDialog::mouseMoveEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label2_) {
        switch (event->type()) {
            case QEvent::MouseMove:
                setLinkColor(kLinkBlue);
                break;
            case QEvent::MouseButtonPress:
                linkPressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
                break;
            case QEvent::MouseButtonRelease: {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                // A click: pressed and released on the link.
                if (mouse->button() == Qt::LeftButton && linkPressed_) {
                    linkPressed_ = false;
                    if (label2_->rect().contains(mouse->position().toPoint())) {
                        openHomePage();
                    }
                }
                break;
            }
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::openHomePage() {
    // Create a browser window, send it to the address, show it; a step that
    // fails is passed over and the next one still runs, without a word to the user.
    const QString address = QString::fromUtf8(build::kHomeUrl);
    std::unique_ptr<BrowserWindow> window;
    attempt("making a browser window", [&] { window = services_.browser.createWindow(); });
    if (window) {
        attempt("sending the browser to the home page", [&] { window->navigate(address); });
        attempt("showing the browser window", [&] { window->setVisible(true); });
    }
}

}  // namespace bw
