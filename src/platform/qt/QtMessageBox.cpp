#include "QtMessageBox.h"

#include "MessageDialog.h"
#include "TextConversion.h"

namespace bw {

QtMessageBox::QtMessageBox(QWidget* parent) : parent_(parent) {}

int QtMessageBox::show(std::u16string_view prompt, int style, std::optional<std::u16string_view> title) {
    return showFor(prompt, style, title, 0);
}

int QtMessageBox::showFor(std::u16string_view prompt, int style, std::optional<std::u16string_view> title,
                          int seconds) {
    // The prompt's CR LF pairs are shown as line breaks.
    MessageDialog dialog(toEditText(prompt), style, toQString(title.value_or(kApplicationTitle)), parent_);
    dialog.closeAfter(seconds);
    dialog.exec();
    return dialog.result();
}

}  // namespace bw
