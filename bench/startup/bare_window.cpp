// The yardstick for the start-up benchmark: a bare Qt Widgets window of the
// main window's narrow size with one Japanese label, and nothing else.
#include "support/FirstFrameProbe.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Boxwright"));
    window.resize(342, 468);
    auto* label = new QLabel(QStringLiteral("タイトル"), &window);
    label->move(8, 8);
    window.show();
    bw::exitAfterFirstFrameIfAsked(&window);
    return QApplication::exec();
}
