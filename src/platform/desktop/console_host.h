// The terminal host: keys from the terminal in raw mode (see terminal_keys.h for the keys a
// terminal cannot send and their stand-ins), the text window is standard output, message boxes
// are printed and answered with Enter. The terminal's own mode is restored when the host ends,
// also when the game ends by an exception. A termination signal (a logout, kill, a hung-up
// terminal) ends the program as the end of the input does.
#pragma once

#include <unistd.h>

#include <iostream>
#include <memory>

#include "platform/host.h"

namespace corvane {

// Reads keys from `input` (standard input; put in raw mode when it is a terminal) and writes to
// `out`. At the end of the input the host reports a close, which ends the program.
std::unique_ptr<Host> StartConsoleHost(int input = STDIN_FILENO, std::ostream& out = std::cout);

}  // namespace corvane
