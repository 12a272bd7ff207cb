// What the network thread hands to the game's thread: a queue behind a lock, and an eventfd that
// is readable while the queue may hold something. The game's host watches the descriptor in its
// one wait (Host::WatchDescriptor), so an arriving message wakes the game without any polling.
#pragma once

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <utility>
#include <vector>

namespace corvane {

template <typename Item>
class Inbox {
 public:
  Inbox() : descriptor_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (descriptor_ < 0) throw std::runtime_error("eventfd failed");
  }
  ~Inbox() { ::close(descriptor_); }
  Inbox(const Inbox&) = delete;
  Inbox& operator=(const Inbox&) = delete;

  // The descriptor to watch: readable once something was put in since it was last emptied.
  int Descriptor() const { return descriptor_; }

  // Any thread.
  void Put(Item item) {
    {
      const std::lock_guard lock(mutex_);
      items_.push_back(std::move(item));
    }
    const std::uint64_t one = 1;
    // The counter cannot overflow in any real run; a failed write leaves it readable anyway.
    [[maybe_unused]] const ssize_t written = ::write(descriptor_, &one, sizeof one);
  }

  // The game's thread: everything put in so far, in order; the descriptor is read first, so an
  // item put in meanwhile makes it readable again.
  std::vector<Item> Take() {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(descriptor_, &count, sizeof count);
    std::deque<Item> taken;
    {
      const std::lock_guard lock(mutex_);
      taken.swap(items_);
    }
    return {std::make_move_iterator(taken.begin()), std::make_move_iterator(taken.end())};
  }

 private:
  int descriptor_;
  std::mutex mutex_;
  std::deque<Item> items_;
};

}  // namespace corvane
