// Sound files lie in the program folder and are found there without regard to the case of their
// names: the game asks for both "intro.wav" and "intro.WAV".
#pragma once

#include <string>

namespace corvane {

// The path of `name` in `folder` (which ends in "/"): the file of exactly that name when there is
// one, else the first file whose name differs only in case, else folder + name as it stands.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);

}  // namespace corvane
