// A damaged file of the game's is never written over: it is moved to a free name beside it.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Moves the regular file `folder` + `name` to `damaged` (a name of the same folder), else to
// "STEM 2.ENDING", "STEM 3.ENDING" and on, never over another file. Returns the name it was given,
// or empty when it could not be moved. `folder` ends in "/".
std::string SetAside(const std::string& folder, std::string_view name, std::string_view damaged);

}  // namespace corvane
