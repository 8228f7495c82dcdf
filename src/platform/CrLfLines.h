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
// sizeHint is the file's size when known: the buffer starts with that much room
// (at most kMaxReserve), so that a long line is not regrown step by step, and a
// line that fills a quarter of the buffer or more is handed over with it rather
// than copied (a file's size in bytes may be twice its decoded length). A
// shorter line is copied out at its own size, so the lines' memory stays
// proportional to their length.
inline constexpr std::size_t kCrLfChunk = 65536;

template <typename Char, typename FillStep>
bool readCrLfLines(FillStep fill, std::size_t maxLines, std::vector<std::basic_string<Char>>& lines,
                   std::size_t sizeHint = 0) {
    using String = std::basic_string<Char>;
    constexpr std::size_t kMaxReserve = std::size_t{256} << 20;
    constexpr Char kCrLf[] = {Char('\r'), Char('\n'), Char(0)};
    if (maxLines == 0) {
        return true;
    }
    String pending;
    pending.reserve(std::min(sizeHint, kMaxReserve) + kCrLfChunk);
    std::size_t start = 0;  // where the line being read starts in `pending`
    std::size_t scanFrom = 0;
    bool endOfFile = false;
    const auto takeLine = [&](std::size_t end) {
        if (start == 0 && end * 4 >= pending.capacity()) {
            // What follows the line is at most one step's worth: it moves to a
            // new buffer, and the line keeps the one it was read into.
            String rest(pending, std::min(end + 2, pending.size()));
            pending.resize(end);
            lines.push_back(std::move(pending));
            pending = std::move(rest);
        } else {
            lines.push_back(pending.substr(start, end - start));
            start = end + 2;
        }
    };
    while (lines.size() < maxLines) {
        const auto crlf = pending.find(kCrLf, scanFrom);
        if (crlf != String::npos) {
            takeLine(crlf);
            scanFrom = start;
            continue;
        }
        if (endOfFile) {
            if (start < pending.size()) {
                takeLine(pending.size());
            }
            break;
        }
        // The lines taken are dropped before the buffer grows, once a step.
        if (start != 0) {
            pending.erase(0, start);
            start = 0;
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
