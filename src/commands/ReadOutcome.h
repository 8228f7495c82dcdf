#pragma once

namespace bw {

// How an open command ended: the file was read into the editor, the user
// cancelled its dialog, or the file could not be read (which was reported).
enum class ReadOutcome { Read, Cancelled, Failed };

}  // namespace bw
