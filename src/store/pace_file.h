// The pace of the game and the look of the desktop's text window on disk: "CV pace.ini", one line
// of four decimal integers separated by commas and ended by a carriage return and line feed: the
// pace (0 normal, 1 quick, 2 fastest), the text window's letters in points, and the window's width
// and height in pixels (0,0: the desktop's own size). "0,24,0,0" for the start-up values. It is a
// file of its own so that "Settings.sav" keeps its ten bytes.
//
// A file that is damaged or holds a value the game never writes is ignored as a whole: the
// values stay as they were and the file is left as it is.
#pragma once

#include <string>
#include <string_view>

#include "platform/data_file.h"
#include "platform/window_look.h"
#include "table/user_settings.h"

namespace corvane {

inline constexpr const char* kPaceFileName = "CV pace.ini";

struct PaceFile {
  Pace pace = Pace::Normal;
  WindowLook look;

  bool operator==(const PaceFile&) const = default;
};

// The line of "CV pace.ini", its line end included.
std::string PaceFileText(const PaceFile& file);
// Takes the values from the text of "CV pace.ini" when the line is sound; otherwise returns false
// and changes nothing. The line end may be CR LF, a lone LF or missing.
bool ParsePaceFile(std::string_view text, PaceFile& file);

// Reads the file at path; kRead only when it was read and sound, and only then is `file` changed.
FileRead LoadPaceFile(const std::string& path, PaceFile& file);
// Writes the file at path, replacing it only when the new one is complete. On failure returns
// false with the system's description of the error in error.
bool SavePaceFile(const std::string& path, const PaceFile& file, std::string& error);

}  // namespace corvane
