#pragma once

#include <cstddef>
#include <string>

namespace bw {

// Appends what `decodeEach` hands out, counted first, so that a long text is
// made at its own size: decodeEach(emit) calls emit(unit) for every unit.
template <typename DecodeEach>
void appendCounted(std::u16string& out, DecodeEach decodeEach) {
    std::size_t units = 0;
    decodeEach([&units](char16_t) { ++units; });
    std::size_t at = out.size();
    out.resize(at + units);
    char16_t* p = out.data();
    decodeEach([p, &at](char16_t unit) { p[at++] = unit; });
}

}  // namespace bw
