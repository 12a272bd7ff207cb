#include "store/folder_lock.h"

#include <fcntl.h>

#include <cerrno>

namespace corvane {

namespace {

// The bytes of the lock file that are locked: one for each copy that runs, one for a write.
constexpr off_t kRunningByte = 0;
constexpr off_t kWritingByte = 1;

// Sets a lock of `type` (F_RDLCK, F_WRLCK or F_UNLCK) on one byte; `command` is F_OFD_SETLK (never
// waits) or F_OFD_SETLKW (waits until it can be had).
bool LockByte(int fd, int command, short type, off_t byte) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  for (;;) {
    if (::fcntl(fd, command, &lock) == 0) return true;
    if (errno != EINTR) return false;
  }
}

}  // namespace

FolderLock::FolderLock(const std::string& folder)
    : file_(::open((folder + std::string(kLockFileName)).c_str(),
                   O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666)) {
  if (file_.fd() < 0) return;
  // Alone, this copy gets the byte to itself, and then shares it; with another copy running, it
  // can only share it. The change from one lock to the other is made at once, so a copy that
  // starts meanwhile sees this one either way.
  shared_ = !LockByte(file_.fd(), F_OFD_SETLK, F_WRLCK, kRunningByte) &&
            (errno == EAGAIN || errno == EACCES);
  LockByte(file_.fd(), F_OFD_SETLKW, F_RDLCK, kRunningByte);
}

FolderLock::Writing::Writing(const FolderLock& lock) : fd_(lock.file_.fd()) {
  if (fd_ >= 0 && !LockByte(fd_, F_OFD_SETLKW, F_WRLCK, kWritingByte)) fd_ = -1;
}

FolderLock::Writing::~Writing() {
  if (fd_ >= 0) LockByte(fd_, F_OFD_SETLK, F_UNLCK, kWritingByte);
}

}  // namespace corvane
