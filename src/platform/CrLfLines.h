#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace bw {

// Reads at most maxLines lines of raw bytes through read(buffer, capacity),
// which returns the number of bytes read, 0 at the end of the file and a
// negative number on an error. Lines end at CR LF pairs only: a lone CR or LF
// belongs to its line, and the last line may lack its CR LF. Reading stops as
// soon as maxLines lines are complete. False when a read failed.
template <typename ReadChunk>
bool readCrLfLines(ReadChunk read, std::size_t maxLines, std::vector<std::string>& lines) {
    std::string pending;
    std::array<char, 65536> chunk{};
    std::size_t scanFrom = 0;
    bool endOfFile = false;
    while (lines.size() < maxLines) {
        const auto crlf = pending.find("\r\n", scanFrom);
        if (crlf != std::string::npos) {
            lines.push_back(pending.substr(0, crlf));
            pending.erase(0, crlf + 2);
            scanFrom = 0;
            continue;
        }
        if (endOfFile) {
            if (!pending.empty()) {
                lines.push_back(std::move(pending));
            }
            break;
        }
        // A CR at the end may pair with an LF at the start of the next chunk.
        scanFrom = pending.empty() ? 0 : pending.size() - 1;
        const auto n = read(chunk.data(), chunk.size());
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            endOfFile = true;
        } else {
            pending.append(chunk.data(), static_cast<std::size_t>(n));
        }
    }
    return true;
}

}  // namespace bw
