// "CV lock" in the data folder: how copies of the game running on one data folder know of each
// other. Every running copy holds a shared lock on the file's first byte for as long as it runs,
// so that a copy started while another runs is told so; and a copy holds its second byte while it
// reads, adds to and writes back a file that both copies count in (the statistics), so that the
// write of one never undoes the other's. The locks are the system's own record locks on the open
// file: they end with the copy that holds them, even when it crashes, and the file holds nothing.
#pragma once

#include <string>
#include <string_view>

#include "platform/open_file.h"

namespace corvane {

inline constexpr std::string_view kLockFileName = "CV lock";

class FolderLock {
 public:
  // Opens the lock file of the data folder `folder` (ending in "/"), making it when missing, and
  // takes this copy's share of it. In a folder where the file can be neither made nor opened (one
  // that cannot be written to), there is no lock and no other copy is seen.
  explicit FolderLock(const std::string& folder);

  // Another copy of the game was running on the folder when this one started.
  bool SharedWithAnotherCopy() const { return shared_; }

  // Held while a file that every copy counts in is read, added to and written back. Waits, when
  // another copy is writing it, until that copy is done.
  class Writing {
   public:
    explicit Writing(const FolderLock& lock);
    ~Writing();
    Writing(const Writing&) = delete;
    Writing& operator=(const Writing&) = delete;

   private:
    int fd_;
  };

 private:
  OpenFile file_;
  bool shared_ = false;
};

}  // namespace corvane
