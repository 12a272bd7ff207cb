// The network's own thread: Boost.Asio runs there, and nothing else does. The game's thread hands
// it work with Post and never waits on a socket itself.
#pragma once

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <future>
#include <optional>
#include <thread>
#include <utility>

namespace corvane {

class IoThread {
 public:
  IoThread();
  // Stop() if it was not called.
  ~IoThread();
  IoThread(const IoThread&) = delete;
  IoThread& operator=(const IoThread&) = delete;

  boost::asio::io_context& context() { return context_; }

  // Runs `work` on the network thread.
  template <typename Work>
  void Post(Work&& work) {
    boost::asio::post(context_, std::forward<Work>(work));
  }

  // Lets the work in hand (closing handshakes, the last messages) finish for at most `seconds`,
  // then stops the thread whatever is left.
  void Stop(double seconds);

 private:
  boost::asio::io_context context_{1};
  std::optional<boost::asio::executor_work_guard<boost::asio::io_context::executor_type>> guard_;
  std::promise<void> finished_;
  std::thread thread_;
};

}  // namespace corvane
