#include "ScriptContents.h"

#include "model/DialogTables.h"

namespace bw {

BoxOptions optionsRead(const ScriptContents& contents, BoxOptions held) {
    if (!contents.hasFirstLine) {
        return held;
    }
    held.timeoutSeconds = contents.timeoutSeconds;
    held.stayOnTop = contents.stayOnTop;
    if (contents.timeoutSlot) {
        held.onTimeout.enabled = !contents.timeoutSlot->commentedOut;
        if (contents.timeoutSlot->text) {
            held.onTimeout.text = *contents.timeoutSlot->text;
        }
    }
    return held;
}

std::optional<DialogDefinition> standaloneDefinition(const ScriptContents& contents) {
    if (!contents.body || !contents.title || !contents.buttons || !contents.icon) {
        return std::nullopt;
    }
    DialogDefinition def;
    def.title = *contents.title;
    def.body = *contents.body;
    def.buttons = *contents.buttons;
    def.icon = *contents.icon;
    def.rightAligned = contents.rightAligned;
    // A default button the set does not have falls back to the first, as the
    // button-set rule has it.
    def.defaultButton = contents.defaultButton < buttonCount(buttonSetRow(def.buttons)) ? contents.defaultButton : 0;
    // The button-set rule checks every slot; the file then unchecks and fills them.
    def.continuation = contents.followUps;
    if (contents.followUps) {
        for (std::size_t slot = 0; slot < def.followUps.size(); ++slot) {
            const ScriptContents::Slot& read = contents.slotLines[slot];
            def.followUps[slot].enabled = !read.commentedOut;
            if (read.text) {
                def.followUps[slot].text = *read.text;
            }
        }
    }
    def.options = optionsRead(contents, BoxOptions{});
    return def;
}

}  // namespace bw
