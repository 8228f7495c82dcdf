#include "Form1.h"

namespace bw {

Form1::Form1(QWidget* parent) : QMainWindow(parent) { setWindowTitle(QStringLiteral("Boxwright")); }

}  // namespace bw
