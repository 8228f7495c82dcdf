// The core as the page sees it (Embind): the editor's controls held here with
// the core's rules, the writers' bytes, the open commands and the preview.
#include "codec/ScriptCodec.h"
#include "commands/ConvertCommand.h"
#include "commands/EditorCommands.h"
#include "commands/OpenCommand.h"
#include "model/DialogTables.h"
#include "model/EditorRules.h"
#include "model/HeadlessEditor.h"
#include "model/LargeText.h"
#include "model/MessageBoxStyle.h"
#include "ports/FileStore.h"
#include "ports/MessageBoxService.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>
#include <vector>

namespace bw::web {

namespace {

using emscripten::val;

// One file the page was handed, as the file store the commands read; what a
// command writes is kept for the page to save.
class HandedFile : public FileStore {
public:
    HandedFile(std::u16string path, std::string bytes) : path_(std::move(path)), bytes_(std::move(bytes)) {}
    std::string written;
    FileResult write(const std::u16string&, std::string_view bytes) override {
        written = bytes;
        return {};
    }
    NameState look(const std::u16string& path) override { return {path == path_, std::nullopt}; }
    ReadFileResult read(const std::u16string& path) override {
        if (path != path_) {
            return {false, u"", {}};
        }
        return {true, {}, std::move(bytes_)};
    }

private:
    std::u16string path_;
    std::string bytes_;
};

// A message box the page shows later: each call is kept, and answered with a
// fixed button.
class KeptMessages : public MessageBoxService {
public:
    explicit KeptMessages(int answer) : answer_(answer) {}
    struct Call {
        std::u16string prompt;
        int style;
        std::optional<std::u16string> title;
    };
    std::vector<Call> calls;
    int show(std::u16string_view prompt, int style, std::optional<std::u16string_view> title) override {
        calls.push_back({std::u16string(prompt), style,
                         title ? std::optional<std::u16string>(std::u16string(*title)) : std::nullopt});
        return answer_;
    }

private:
    int answer_;
};

val box(const KeptMessages::Call& call) {
    val out = val::object();
    out.set("prompt", call.prompt);
    out.set("style", call.style);
    out.set("title", call.title ? val(*call.title) : val(std::u16string(kApplicationTitle)));
    return out;
}

template <typename T, std::size_t N>
val array(const std::array<T, N>& values) {
    val out = val::array();
    for (const T& value : values) {
        out.call<void>("push", val(value));
    }
    return out;
}

val bytesOf(const std::string& bytes) {
    return val(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const unsigned char*>(bytes.data())))
        .call<val>("slice");
}

}  // namespace

// The editor of one page.
class PageSession {
public:
    // Everything the page shows, one object.
    val controls() const {
        val out = val::object();
        out.set("texts", array(editor_.texts));
        // A text too large for a box to lay out is shown in part, read-only:
        // its beginning here, null for every other text.
        val glimpses = val::array();
        for (std::size_t i = 0; i < editor_.texts.size(); ++i) {
            const std::u16string& text = editor_.texts[i];
            const std::size_t lines = i == static_cast<std::size_t>(TextBoxId::Text2) ? 1 : kGlimpseLines;
            glimpses.call<void>("push", isLargeText(text) ? val(glimpse(text, lines)) : val::null());
        }
        out.set("glimpses", glimpses);
        out.set("checks", array(editor_.checks));
        out.set("iconOption", editor_.iconOption);
        out.set("buttonOption", editor_.buttonOption);
        out.set("slotControlsEnabled", array(editor_.slotControlsEnabled));
        out.set("slotTextEnabled", array(editor_.slotTextEnabled));
        out.set("frameVisible", array(editor_.frameVisible));
        out.set("captions", array(editor_.captions));
        out.set("defaultButton", editor_.defaultPosition);
        out.set("defaultChoices", editor_.defaultChoices);
        out.set("wide", editor_.wide);
        out.set("changed", hasUnsavedChanges(editor_));
        // The status line under the body: its length as the window counts it
        // (UTF-16 units, a line break two), and the most a message box shows.
        out.set("bodyLength", static_cast<double>(editor_.text(TextBoxId::Text1).size()));
        out.set("promptLimit", msgbox::PromptLimit);
        return out;
    }

    void setText(int id, const std::u16string& text) { editor_.setText(static_cast<TextBoxId>(id), text); }
    void setCheck(int id, int value) { editor_.setCheckValue(static_cast<CheckBoxId>(id), value != 0 ? 1 : 0); }
    void selectIcon(int option) { editor_.selectIconOption(option); }
    void selectButtons(int option) { editor_.selectButtonOption(option); }
    void setDefaultButton(int position) {
        if (position >= 0 && position < editor_.defaultChoices) {
            editor_.setDefaultButton(position);
        }
    }
    void newDialog() { applyNew(editor_); }

    // The file a save of the format writes, as the desktop's save writes it.
    std::string fileBytes(int format) const {
        const DialogDefinition def = readDefinition(editor_);
        WindowState state = editor_.windowState;
        state.rightSuffix = rightSuffixFor(def.rightAligned);
        return encodeScript(static_cast<ScriptFormat>(format), def, state);
    }
    val encode(int format) const { return bytesOf(fileBytes(format)); }

    // The lines of the format with CR LF between them, for the code view.
    std::u16string scriptText(int format) const {
        const DialogDefinition def = readDefinition(editor_);
        WindowState state = editor_.windowState;
        state.rightSuffix = rightSuffixFor(def.rightAligned);
        std::u16string out;
        for (const std::u16string& line : scriptLines(static_cast<ScriptFormat>(format), def, state)) {
            out += line;
            out += u"\r\n";
        }
        return out;
    }

    // After the page has saved: the texts and choices count as saved.
    void markSaved() {
        editor_.windowState.savedSnapshot = currentTexts(editor_);
        editor_.windowState.savedChoices = currentChoices(editor_);
    }

    // Reads a file the user gave (a .ps1 by its name, anything else as a
    // .vbs): "read", "failed" with the message to show, or "confirm" with
    // the question to ask before a text too large to edit is loaded (asked
    // again with allowLarge when the user agrees).
    val open(const std::u16string& name, const val& bytes, bool allowLarge) {
        const std::vector<unsigned char> data = emscripten::convertJSArrayToNumberVector<unsigned char>(bytes);
        HandedFile file(name, std::string(data.begin(), data.end()));
        KeptMessages messages(allowLarge ? msgbox::ResultYes : msgbox::ResultNo);
        const ReadOutcome outcome = openScriptFile(editor_, name, file, messages);
        val out = val::object();
        out.set("outcome", outcome == ReadOutcome::Read        ? "read"
                           : outcome == ReadOutcome::Cancelled ? "confirm"
                                                               : "failed");
        out.set("message", messages.calls.empty() ? val::null() : box(messages.calls.back()));
        return out;
    }

    // The preview as the desktop runs it: the dialog's box, then, once the
    // page knows the pressed button, the follow-up box for it, or null.
    val previewBox() {
        KeptMessages messages(0);  // no button: no follow-up is shown
        runPreview(editor_, messages);
        return box(messages.calls.front());
    }
    val followUpBox(int pressed) {
        KeptMessages messages(pressed);
        runPreview(editor_, messages);
        return messages.calls.size() > 1 ? box(messages.calls[1]) : val::null();
    }

private:
    HeadlessEditor editor_ = [] {
        HeadlessEditor editor;
        editor.load();
        return editor;
    }();
};

val iconTableValue() {
    val out = val::array();
    for (const IconRow& row : iconTable()) {
        val item = val::object();
        item.set("option", row.optionIndex);
        item.set("caption", std::u16string(row.caption));
        item.set("style", row.style);
        out.call<void>("push", item);
    }
    return out;
}

val buttonSetTableValue() {
    val out = val::array();
    for (const ButtonSetRow& row : buttonSetTable()) {
        val item = val::object();
        item.set("option", row.optionIndex);
        item.set("caption", std::u16string(row.caption));
        item.set("style", row.style);
        item.set("returnCodes", array(row.returnCodes));
        item.set("buttonCount", buttonCount(row));
        out.call<void>("push", item);
    }
    return out;
}

// One .vbs of a bulk conversion, converted as the command line's --to-ps1
// converts it: the dialog the script describes on its own, written as the
// PowerShell save writes it. The page writes the bytes where the user says.
// The desktop converter on one file the page was handed: the .ps1's name and
// bytes, or the converter's line saying why not. The page decides about files
// already there, so nothing here counts as existing.
val convertToPs1Value(const std::u16string& name, const val& bytes) {
    const std::vector<unsigned char> data = emscripten::convertJSArrayToNumberVector<unsigned char>(bytes);
    HandedFile file(name, std::string(data.begin(), data.end()));
    const Conversion conversion = convertToPs1(name, true, file);
    val out = val::object();
    out.set("name", ps1PathFor(name));
    out.set("ok", conversion.converted);
    if (conversion.converted) {
        out.set("bytes", bytesOf(file.written));
    } else {
        out.set("message", conversion.report);
    }
    return out;
}

std::u16string buttonNameOf(int resultCode) { return std::u16string(buttonName(resultCode)); }

EMSCRIPTEN_BINDINGS(boxwright) {
    emscripten::class_<PageSession>("PageSession")
        .constructor<>()
        .function("controls", &PageSession::controls)
        .function("setText", &PageSession::setText)
        .function("setCheck", &PageSession::setCheck)
        .function("selectIcon", &PageSession::selectIcon)
        .function("selectButtons", &PageSession::selectButtons)
        .function("setDefaultButton", &PageSession::setDefaultButton)
        .function("newDialog", &PageSession::newDialog)
        .function("encode", &PageSession::encode)
        .function("scriptText", &PageSession::scriptText)
        .function("markSaved", &PageSession::markSaved)
        .function("open", &PageSession::open)
        .function("previewBox", &PageSession::previewBox)
        .function("followUpBox", &PageSession::followUpBox);
    emscripten::function("iconTable", &iconTableValue);
    emscripten::function("buttonSetTable", &buttonSetTableValue);
    emscripten::function("buttonName", &buttonNameOf);
    emscripten::function("convertToPs1", &convertToPs1Value);
}

}  // namespace bw::web
