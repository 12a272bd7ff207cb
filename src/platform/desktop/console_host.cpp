#include "platform/desktop/console_host.h"

#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "platform/desktop/document_launcher.h"
#include "platform/desktop/terminal_keys.h"
#include "platform/desktop/termination_signals.h"
#include "platform/key_codes.h"

namespace corvane {

namespace {

// While the game runs the terminal hands over each key at once, without echo and without turning
// Control-C into a signal; output is left as it was.
class RawTerminal {
 public:
  explicit RawTerminal(int fd) : fd_(fd) { Enter(); }
  ~RawTerminal() { Leave(); }
  RawTerminal(const RawTerminal&) = delete;
  RawTerminal& operator=(const RawTerminal&) = delete;

  void Enter() {
    if (active_ || !isatty(fd_) || tcgetattr(fd_, &saved_) != 0) return;
    termios raw = saved_;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR | ISTRIP);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    active_ = tcsetattr(fd_, TCSAFLUSH, &raw) == 0;
  }
  void Leave() {
    if (!active_) return;
    tcsetattr(fd_, TCSAFLUSH, &saved_);
    active_ = false;
  }

 private:
  int fd_;
  termios saved_{};
  bool active_ = false;
};

// What the terminal shows, line by line. A line's break is written only when the next line comes,
// so that the cursor stands at the end of the newest line: where BRLTTY's cursor tracking and a
// terminal's screen reader find the line to read, not on an empty line below it.
class TerminalLines {
 public:
  explicit TerminalLines(std::ostream& out) : out_(out) {}
  // The line break owed goes out when the program leaves the terminal to the shell.
  ~TerminalLines() { OpenLine(); }
  TerminalLines(const TerminalLines&) = delete;
  TerminalLines& operator=(const TerminalLines&) = delete;

  // Writes `text` on the current line, starting a new line first when the last one was ended.
  void Write(std::string_view text) {
    if (text.empty()) return;
    OpenLine();
    out_ << text << std::flush;
  }
  // Ends the current line; its line break is written before the next text.
  void EndLine() { breakOwed_ = true; }
  // Puts the cursor at the start of a line of its own, for a program that takes the terminal.
  void OpenLine() {
    if (!breakOwed_) return;
    out_ << '\n' << std::flush;
    breakOwed_ = false;
  }

 private:
  std::ostream& out_;
  bool breakOwed_ = false;
};

// The text window: each appended line is printed as it comes (its line end as the next line's
// line break); the whole text is kept too.
class ConsoleTextWindow : public TextWindow {
 public:
  explicit ConsoleTextWindow(TerminalLines& lines) : lines_(lines) {}
  void Show(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void SetText(std::string_view text) override { text_.assign(text); }
  std::string Text() const override { return text_; }
  void Append(std::string_view text) override {
    text_.append(text);
    // Lines end in a carriage return and line feed.
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;
         text.remove_prefix(end + 1)) {
      std::string_view line = text.substr(0, end);
      if (line.ends_with('\r')) line.remove_suffix(1);
      lines_.Write(line);
      lines_.EndLine();
    }
    lines_.Write(text);
  }

 private:
  TerminalLines& lines_;
  bool visible_ = false;
  std::string text_;
};

// How long the rest of an escape sequence may take to arrive before a lone Escape is a key.
constexpr double kEscapeDelay = 0.05;

// The terminal's type, as $TERM names it (empty when unset).
std::string TerminalType() {
  const char* type = std::getenv("TERM");
  return type != nullptr ? type : "";
}

class ConsoleHost : public Host {
 public:
  ConsoleHost(int input, std::ostream& out)
      : input_(input), out_(out), terminal_(input), lines_(out), text_(lines_) {}

  double Now() override {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }

  std::optional<HostEvent> NextEvent(double deadline, WaitKind) override {
    for (;;) {
      if (!events_.empty()) {
        HostEvent event = events_.front();
        events_.pop_front();
        // The descriptor is watched again once the game has its event (and then empties it).
        if (event.kind == HostEvent::Kind::Wake) {
          if (const auto watch = watches_.find(event.code); watch != watches_.end()) {
            watch->second.eventWaiting = false;
          }
        }
        return event;
      }
      if (std::optional<HostEvent> key = DecodedKey(false)) return key;
      const double now = Now();
      FireDueTimers(now);
      if (!events_.empty()) continue;
      if (now >= deadline) return std::nullopt;
      double until = std::min(deadline, NextTimerDue());
      const bool escapeWaiting = decoder_.Pending();
      if (escapeWaiting) until = std::min(until, now + kEscapeDelay);
      if (!WaitForInput(until) && escapeWaiting && Now() >= until - 1e-4) {
        // Nothing followed the Escape: it was a key by itself.
        if (std::optional<HostEvent> key = DecodedKey(true)) return key;
      }
    }
  }

  // The message is one line, with the cursor at its end, until Enter answers it.
  void ShowMessage(std::string_view title, std::string_view text, MessageIcon) override {
    lines_.Write(std::string(title) + ": " + std::string(text) + " (Press Enter)");
    lines_.EndLine();
    for (;;) {
      std::optional<HostEvent> key = DecodedKey(false);
      if (!key && decoder_.Pending() && !WaitForInput(Now() + kEscapeDelay)) {
        key = DecodedKey(true);  // nothing followed the Escape: it was a key by itself
      }
      if (!key) {
        // Keys typed while the message waits are read here, and answer it.
        if (!decoder_.Pending()) WaitForInput(kForever);
        continue;
      }
      if (key->kind == HostEvent::Kind::Close) {
        events_.push_back(*key);
        return;
      }
      if (key->code == 13) return;
    }
  }

  TextWindow& Text() override { return text_; }

  void Beep() override { out_ << '\a' << std::flush; }

  void StartTimer(int id, double intervalSeconds) override {
    if (!(intervalSeconds > 0)) {
      timers_.erase(id);
      return;
    }
    timers_[id] = Timer{intervalSeconds, Now() + intervalSeconds};
  }
  void StopTimer(int id) override { timers_.erase(id); }

  void WatchDescriptor(int id, int descriptor) override {
    UnwatchDescriptor(id);
    watches_[id] = Watch{descriptor, false};
  }
  void UnwatchDescriptor(int id) override {
    watches_.erase(id);
    std::erase_if(events_, [id](const HostEvent& event) {
      return event.kind == HostEvent::Kind::Wake && event.code == id;
    });
  }

  // The viewer may be a text browser that needs the terminal: it has it, in its normal mode,
  // until it ends. One that ends with an error at once could not show the document.
  bool OpenDocument(const std::string& path) override {
    lines_.OpenLine();
    terminal_.Leave();
    const double started = Now();
    bool failed = true;
    if (const std::optional<pid_t> pid = StartDocumentViewer(path)) {
      const std::optional<int> status = WaitForViewer(*pid);
      failed = status && ViewerFailed(*status) && Now() - started < kViewerFailsWithin;
    }
    terminal_.Enter();
    // Whatever the viewer left on the terminal stays apart from the next line.
    lines_.EndLine();
    return !failed;
  }

 private:
  struct Timer {
    double interval = 0;
    double next = 0;
  };
  // A watched descriptor is left out of the poll while its event waits for the game, so that one
  // not yet emptied (during a message box, say) does not keep the poll from blocking.
  struct Watch {
    int descriptor = -1;
    bool eventWaiting = false;
  };

  std::optional<HostEvent> DecodedKey(bool final) {
    if (terminated_) return CloseEvent();
    if (endOfInput_ && !decoder_.Pending()) return CloseEvent();
    const std::optional<TerminalKey> key = decoder_.Next(final || endOfInput_);
    if (!key) return std::nullopt;
    if (key->endProgram) return CloseEvent();
    HostEvent event;
    event.kind = HostEvent::Kind::Key;
    event.code = key->key.code;
    event.shift = key->key.shift;
    event.window = Window::Sound;
    return event;
  }

  static HostEvent CloseEvent() {
    HostEvent event;
    event.kind = HostEvent::Kind::Close;
    return event;
  }

  double NextTimerDue() const {
    double due = kForever;
    for (const auto& [id, timer] : timers_) due = std::min(due, timer.next);
    return due;
  }

  void FireDueTimers(double now) {
    for (auto& [id, timer] : timers_) {
      if (timer.next > now) continue;
      HostEvent event;
      event.kind = HostEvent::Kind::Timer;
      event.code = id;
      events_.push_back(event);
      // A timer that fell behind (during a message box) fires once, not once for each interval.
      timer.next = std::max(timer.next + timer.interval, now);
    }
  }

  // Blocks until standard input has bytes (read into the decoder), a termination signal comes, a
  // watched descriptor is readable (its Wake event is queued) or `until` passes; true when bytes
  // came. At the end of the input, the host ends the program.
  bool WaitForInput(double until) {
    if (endOfInput_ || terminated_) return false;
    int timeout = -1;
    if (std::isfinite(until)) {
      const double left = until - Now();
      timeout = left <= 0 ? 0 : static_cast<int>(std::min(std::ceil(left * 1000.0), 2.0e9));
    }
    std::vector<pollfd> watched = {{input_, POLLIN, 0}, {signals_.Descriptor(), POLLIN, 0}};
    std::vector<int> watchIds;
    for (const auto& [id, watch] : watches_) {
      if (watch.eventWaiting) continue;
      watched.push_back({watch.descriptor, POLLIN, 0});
      watchIds.push_back(id);
    }
    const int ready = poll(watched.data(), watched.size(), timeout);
    if (ready <= 0) return false;
    if (watched[1].revents != 0 && signals_.Take()) {
      terminated_ = true;
      return false;
    }
    for (std::size_t i = 0; i < watchIds.size(); ++i) {
      if (watched[i + 2].revents == 0) continue;
      watches_[watchIds[i]].eventWaiting = true;
      HostEvent event;
      event.kind = HostEvent::Kind::Wake;
      event.code = watchIds[i];
      events_.push_back(event);
    }
    if (watched[0].revents == 0) return false;
    char buffer[256];
    const ssize_t count = read(input_, buffer, sizeof buffer);
    if (count < 0 && (errno == EINTR || errno == EAGAIN)) return false;
    if (count <= 0) {
      endOfInput_ = true;
      return false;
    }
    decoder_.Feed(std::string_view(buffer, static_cast<std::size_t>(count)));
    return true;
  }

  // Waits for the viewer to end and reaps it; its wait status, or nothing when a termination
  // signal came first (the game then ends, leaving the viewer be).
  std::optional<int> WaitForViewer(pid_t viewer) {
    int status = 0;
    // A descriptor that becomes readable when the viewer ends (glibc 2.36 declares pidfd_open
    // without C linkage, so C++ cannot call it).
    const int ended = static_cast<int>(syscall(SYS_pidfd_open, viewer, 0));
    if (ended < 0) {  // a kernel without process descriptors: a plain wait
      while (waitpid(viewer, &status, 0) < 0 && errno == EINTR) {
      }
      return status;
    }
    for (;;) {
      pollfd watched[] = {{ended, POLLIN, 0}, {signals_.Descriptor(), POLLIN, 0}};
      if (poll(watched, 2, -1) < 0 && errno != EINTR) break;
      if (watched[1].revents != 0 && signals_.Take()) {
        terminated_ = true;
        close(ended);
        return std::nullopt;
      }
      if (watched[0].revents != 0) break;
    }
    close(ended);
    while (waitpid(viewer, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
  }

  int input_;
  std::ostream& out_;
  TerminationSignalDescriptor signals_;
  RawTerminal terminal_;
  TerminalKeyDecoder decoder_{TerminalType()};
  TerminalLines lines_;
  ConsoleTextWindow text_;
  std::deque<HostEvent> events_;
  std::map<int, Timer> timers_;
  std::map<int, Watch> watches_;
  bool endOfInput_ = false;
  bool terminated_ = false;
};

}  // namespace

std::unique_ptr<Host> StartConsoleHost(int input, std::ostream& out) {
  return std::make_unique<ConsoleHost>(input, out);
}

}  // namespace corvane
