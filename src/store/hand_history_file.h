// The hand history file, "Hand history.txt" in the data folder: every finished hand as plain
// UTF-8 text with "\n" line ends, for reading with a screen reader or any text editor. A hand is
// its heading line, one line per phrase spoken in it, and an empty line.
//
// Each hand is appended to the end of the file; the bytes already there are never rewritten, so
// the hands written before stay whole whatever happens to a later write. The file is not flushed
// to the disk after every hand: a crash can lose the last hands written, or leave the last one
// cut short, and nothing before them. A hand cut short is found at the next append (the file does
// not end with a line end) and the new hand starts after an empty line. When the file passes its
// limit its older half is dropped, at a hand's beginning, through the atomic writer, so a failure
// there leaves the whole file as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr std::string_view kHandHistoryFileName = "Hand history.txt";
// 5 MB: beyond this the older half of the file is dropped.
inline constexpr std::size_t kHandHistoryLimit = 5 * 1024 * 1024;

enum class HistoryAppend {
  kAppended,  // the hand was added at the end
  kMended,    // the file ended in the middle of a line, cut short; the hand was added after it
  kFailed,    // the file could not be written (error says why); it is left as it was
};

// The text of one hand: the heading, the lines (a line break inside one becomes a blank), an
// empty line.
std::string HandHistoryText(std::string_view heading, const std::vector<std::string>& lines);

// Appends `hand` to the file at `path`, making the file when there is none; then, when the file is
// larger than `limit`, keeps only its newest `limit` / 2 bytes from the first hand that begins in
// them (and the hand just added in any case). On kFailed, `error` holds the system's description
// of the fault.
HistoryAppend AppendToHandHistory(const std::string& path, std::string_view hand,
                                  std::string& error, std::size_t limit = kHandHistoryLimit);

}  // namespace corvane
