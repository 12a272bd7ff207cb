// The host: everything the game needs from the desktop, the terminal or a script. It is also the
// output of the person at its keyboard (person_output.h): message boxes, the text window, the
// transcript.
//
// The game is single-threaded. It asks the host for the next event and handles it itself, so no
// game code ever runs inside a toolkit callback. A host never spins: NextEvent blocks until an
// event arrives or the deadline passes (the script host advances its virtual clock instead).
#pragma once

#include <ctime>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "platform/person_output.h"
#include "platform/window_look.h"

namespace corvane {

// The person at this machine's keyboard, who hosts the table.
inline constexpr int kHostPerson = 0;

// Which of the two windows a key press reached.
enum class Window { Sound, Speech };

// One thing that happened while the game waited.
struct HostEvent {
  enum class Kind {
    Key,  // a key went down: code is the Windows virtual-key code, shift 1 Shift, 2 Control, 4 Alt
    Close,  // the window was closed (the close button or the window manager)
    Timer,  // a timer started with StartTimer fired: code is its id
  };
  Kind kind = Kind::Key;
  int code = 0;
  int shift = 0;
  Window window = Window::Sound;
  // Whose key it is: kHostPerson for the keyboard of this machine, otherwise the id a person was
  // given when they sat down at the table (another script, a friend over the network).
  int person = kHostPerson;
};

// What the game is doing while it waits; the script host answers only prompts with its keys.
enum class WaitKind {
  Pause,   // a pause of the game (Wait, the deal, a sound finishing)
  Answer,  // a prompt waits for the user's answer
};

// A moment of the calendar, as the clock on the wall shows it.
struct CalendarTime {
  int year = 0;
  int month = 0;    // 1 January .. 12 December
  int day = 0;      // 1..31
  int weekday = 0;  // 0 Sunday .. 6 Saturday
  int hour = 0;     // 0..23
  int minute = 0;   // 0..59
};

inline constexpr double kForever = std::numeric_limits<double>::infinity();

// Thrown to end the program from wherever the game is (Alt-F4, Exit, the end of a script).
// main() catches it, shuts the sound down and returns the status.
struct EndProgram {
  int status = 0;
};

class Host : public PersonOutput {
 public:
  virtual ~Host() = default;

  // Monotonic seconds (virtual in the script host).
  virtual double Now() = 0;

  // The local date and time (the script host keeps a calendar of its own on its virtual clock).
  virtual CalendarTime LocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    if (::localtime_r(&now, &parts) == nullptr) return {};
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_wday,        parts.tm_hour,    parts.tm_min};
  }

  // Blocks until the next event or until Now() reaches `deadline`; returns the event, or nothing
  // at the deadline. Events already pending are returned at once.
  virtual std::optional<HostEvent> NextEvent(double deadline, WaitKind kind) = 0;

  // The display's bell.
  virtual void Beep() = 0;

  // How the text window looks now, when the host shows it in a window of its own (the desktop);
  // nothing otherwise, and then there is nothing to keep.
  virtual std::optional<WindowLook> Look() { return std::nullopt; }
  // Shows the text window that way (at start-up, as it was kept).
  virtual void SetLook(const WindowLook& /*look*/) {}

  // Starts (or restarts) timer `id` firing every `intervalSeconds`; an interval of 0 stops it.
  virtual void StartTimer(int id, double intervalSeconds) = 0;
  virtual void StopTimer(int id) = 0;

  // Opens a document (a help file) with the desktop's viewer; false when that failed.
  virtual bool OpenDocument(const std::string& path) = 0;
};

}  // namespace corvane
