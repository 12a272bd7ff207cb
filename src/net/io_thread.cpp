#include "net/io_thread.h"

#include <chrono>

namespace corvane {

IoThread::IoThread() : guard_(boost::asio::make_work_guard(context_)) {
  thread_ = std::thread([this] {
    context_.run();
    finished_.set_value();
  });
}

IoThread::~IoThread() {
  Stop(0);
}

void IoThread::Stop(double seconds) {
  if (!thread_.joinable()) return;
  guard_.reset();
  std::future<void> finished = finished_.get_future();
  if (finished.wait_for(std::chrono::duration<double>(seconds)) != std::future_status::ready) {
    context_.stop();
  }
  thread_.join();
}

}  // namespace corvane
