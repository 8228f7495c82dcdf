#pragma once

#include <optional>
#include <string_view>

namespace bw {

inline constexpr char16_t kApplicationTitle[] = u"Boxwright";

// A modal message box. The style adds a button set, an icon and optionally the
// right-alignment flag (see MessageBoxStyle.h); the result is the pressed button's
// code. A box shown without a title of its own carries the application title.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;

    virtual int show(std::u16string_view prompt, int style, std::optional<std::u16string_view> title) = 0;

    // The same box, closing by itself after `seconds` (when above 0) with
    // msgbox::ResultTimedOut. A service that cannot time a box shows it as show does.
    virtual int showFor(std::u16string_view prompt, int style, std::optional<std::u16string_view> title, int seconds) {
        (void)seconds;
        return show(prompt, style, title);
    }
};

}  // namespace bw
