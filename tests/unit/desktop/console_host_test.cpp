#include "platform/desktop/console_host.h"

#include <gtest/gtest.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <csignal>
#include <sstream>
#include <string>
#include <thread>

namespace corvane {
namespace {

// The console host reading from a pipe the test writes keys into.
class ConsoleHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(pipe(fds_), 0);
    host_ = StartConsoleHost(fds_[0], out_);
  }
  void TearDown() override {
    host_.reset();
    close(fds_[0]);
    if (fds_[1] >= 0) close(fds_[1]);
  }
  void Type(const std::string& bytes) {
    ASSERT_EQ(write(fds_[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  void EndInput() {
    close(fds_[1]);
    fds_[1] = -1;
  }
  std::optional<HostEvent> Next(double seconds) {
    return host_->NextEvent(host_->Now() + seconds, WaitKind::Answer);
  }

  int fds_[2] = {-1, -1};
  std::ostringstream out_;
  std::unique_ptr<Host> host_;
};

TEST_F(ConsoleHostTest, TypedKeysBecomeKeyEvents) {
  Type(
      "x\x1b[1;5A\x1b"
      "1");
  std::optional<HostEvent> event = Next(1.0);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, HostEvent::Kind::Key);
  EXPECT_EQ(event->code, 'X');
  EXPECT_EQ(event->shift, 0);
  EXPECT_EQ(event->window, Window::Sound);
  event = Next(1.0);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->code, 38);
  EXPECT_EQ(event->shift, 2);
  event = Next(1.0);  // Alt-1 stands in for Control-1
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->code, '1');
  EXPECT_EQ(event->shift, 2);
}

TEST_F(ConsoleHostTest, ALoneEscapeIsTheEscapeKey) {
  Type("\x1b");
  const std::optional<HostEvent> event = Next(2.0);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->code, 27);
  EXPECT_EQ(event->shift, 0);
}

TEST_F(ConsoleHostTest, NothingTypedMeansNothingAtTheDeadline) {
  const double start = host_->Now();
  EXPECT_FALSE(Next(0.05).has_value());
  EXPECT_GE(host_->Now(), start + 0.05);
}

TEST_F(ConsoleHostTest, ControlCAndTheEndOfInputCloseTheProgram) {
  Type("\x03");
  std::optional<HostEvent> event = Next(1.0);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, HostEvent::Kind::Close);
  EndInput();
  event = Next(1.0);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, HostEvent::Kind::Close);
}

TEST_F(ConsoleHostTest, TerminationSignalsCloseTheProgram) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    ASSERT_EQ(raise(signal), 0);
    const std::optional<HostEvent> event = Next(5.0);
    ASSERT_TRUE(event.has_value()) << signal;
    EXPECT_EQ(event->kind, HostEvent::Kind::Close) << signal;
    host_.reset();  // the program would end here; the next signal goes to a fresh host
    host_ = StartConsoleHost(fds_[0], out_);
  }
}

TEST_F(ConsoleHostTest, TimersFireWhileWaiting) {
  host_->StartTimer(4, 0.01);
  const std::optional<HostEvent> event = Next(5.0);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, HostEvent::Kind::Timer);
  EXPECT_EQ(event->code, 4);
  host_->StopTimer(4);
  EXPECT_FALSE(Next(0.05).has_value());
}

TEST_F(ConsoleHostTest, AWatchedDescriptorWakesTheWait) {
  const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  host_->WatchDescriptor(3, wake);
  std::thread network([wake] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const std::uint64_t one = 1;
    EXPECT_EQ(::write(wake, &one, sizeof one), 8);
  });
  std::optional<HostEvent> event = Next(5.0);
  network.join();
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, HostEvent::Kind::Wake);
  EXPECT_EQ(event->code, 3);
  std::uint64_t count = 0;
  EXPECT_EQ(::read(wake, &count, sizeof count), 8);
  EXPECT_FALSE(Next(0.05).has_value());
  host_->UnwatchDescriptor(3);
  ::close(wake);
}

// A line's break is written when the next line comes, or the program ends: the cursor stays on it.
TEST_F(ConsoleHostTest, TheTextWindowIsTheOutput) {
  host_->Text().SetText(" ");
  host_->Text().Append("Select from Menu\r\n");
  host_->Text().Append("Start a New Table, T\r\n");
  EXPECT_EQ(out_.str(), "Select from Menu\nStart a New Table, T");
  EXPECT_EQ(host_->Text().Text(), " Select from Menu\r\nStart a New Table, T\r\n");
  host_.reset();
  EXPECT_EQ(out_.str(), "Select from Menu\nStart a New Table, T\n");
}

TEST_F(ConsoleHostTest, AMessageIsPrintedAndAnsweredWithEnter) {
  host_->Text().Append("Select from Menu\r\n");
  Type("ab\r");
  host_->ShowMessage("Error! ", "Error initializing screen reader or MS SAPI.",
                     MessageIcon::Critical);
  EXPECT_EQ(
      out_.str(),
      "Select from Menu\nError! : Error initializing screen reader or MS SAPI. (Press Enter)");
  Type("z");
  const std::optional<HostEvent> event = Next(1.0);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->code, 'Z');  // the keys typed before Enter went to the message
}

}  // namespace
}  // namespace corvane
