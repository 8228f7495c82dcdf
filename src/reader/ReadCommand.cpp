#include "ReadCommand.h"

#include "model/FileDialog.h"
#include "model/MessageBoxService.h"
#include "model/MessageBoxStyle.h"

namespace bw {

std::optional<std::u16string> chooseScript(FileDialog& dialog, std::u16string_view defaultName,
                                           std::u16string_view filter) {
    dialog.FileName = defaultName;
    dialog.Filter = filter;
    dialog.ShowOpen();
    if (dialog.FileName == defaultName) {
        return std::nullopt;
    }
    return dialog.FileName;
}

void reportUnreadable(MessageBoxService& messages, const std::u16string& path, const std::u16string& reason) {
    messages.show(u"「" + path + u"」を開けませんでした。\r\n" + reason, msgbox::OkOnly + msgbox::Critical,
                  std::nullopt);
}

}  // namespace bw
