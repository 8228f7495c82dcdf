#include "platform/FontConfiguration.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace bw {

// Fontconfig keeps one configuration for the process, loaded at its first use
// (here FcConfigSubstitute); Qt's font database finds it loaded.
std::string japaneseFontFamily() {
    using Pattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;
    // What fc-match answers for "sans-serif:lang=ja".
    Pattern request(FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=ja")), &FcPatternDestroy);
    if (!request || !FcConfigSubstitute(nullptr, request.get(), FcMatchPattern)) {
        return {};
    }
    FcDefaultSubstitute(request.get());
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(nullptr, request.get(), &result), &FcPatternDestroy);
    FcChar8* family = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch) {
        return {};
    }
    return reinterpret_cast<const char*>(family);
}

}  // namespace bw
