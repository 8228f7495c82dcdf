#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace bw {

// What a fill step of readCrLfLines reports.
enum class Fill { More, End, Failed };

// Splits a file into at most maxLines lines. fill(pending) appends the file's
// next characters (bytes, or code units already decoded) to `pending`, at most
// kCrLfChunk of them, and says whether more may follow. Lines end at CR LF pairs
// only: a lone CR or LF belongs to its line, and the last line may lack its CR
// LF. Reading stops as soon as maxLines lines are complete, so what is read past
// the last wanted line is at most one step. False when a step failed.
//
// sizeHint is the file's size when known: the line being built starts with a
// buffer of that size (at most kMaxReserve) and a complete line keeps the buffer
// it was read into, so a long line is neither regrown step by step nor copied.
inline constexpr std::size_t kCrLfChunk = 65536;

template <typename Char, typename FillStep>
bool readCrLfLines(FillStep fill, std::size_t maxLines, std::vector<std::basic_string<Char>>& lines,
                   std::size_t sizeHint = 0) {
    using String = std::basic_string<Char>;
    constexpr std::size_t kMaxReserve = std::size_t{256} << 20;
    constexpr Char kCrLf[] = {Char('\r'), Char('\n'), Char(0)};
    String pending;
    pending.reserve(std::min(sizeHint, kMaxReserve) + kCrLfChunk);
    std::size_t scanFrom = 0;
    bool endOfFile = false;
    while (lines.size() < maxLines) {
        const auto crlf = pending.find(kCrLf, scanFrom);
        if (crlf != String::npos) {
            // The characters after the line are at most one step's worth: they
            // move to a new buffer, and the line keeps the one it was read into.
            String rest(pending, crlf + 2);
            pending.resize(crlf);
            lines.push_back(std::move(pending));
            pending = std::move(rest);
            scanFrom = 0;
            continue;
        }
        if (endOfFile) {
            if (!pending.empty()) {
                lines.push_back(std::move(pending));
            }
            break;
        }
        // A CR at the end may pair with an LF at the start of the next step.
        scanFrom = pending.empty() ? 0 : pending.size() - 1;
        switch (fill(pending)) {
            case Fill::More:
                break;
            case Fill::End:
                endOfFile = true;
                break;
            case Fill::Failed:
                return false;
        }
    }
    return true;
}

// A fill step that appends the bytes of one read(buffer, capacity) call, which
// returns the number of bytes read, 0 at the end of the file and a negative
// number on an error.
template <typename ReadChunk>
auto byteFill(ReadChunk read) {
    return [read](std::string& pending) mutable {
        const std::size_t used = pending.size();
        pending.resize(used + kCrLfChunk);
        const auto n = read(pending.data() + used, kCrLfChunk);
        pending.resize(used + static_cast<std::size_t>(std::max<decltype(n)>(n, 0)));
        return n < 0 ? Fill::Failed : n == 0 ? Fill::End : Fill::More;
    };
}

}  // namespace bw
