// A text window kept in memory: what the headless host shows, and what tests read. Each line the
// window completes (its text up to a carriage return and line feed, with whatever stood before it
// on that line) is handed to `onLine`, so a transcript can show exactly the lines a Braille
// display would get.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/host.h"

namespace corvane {

class MemoryTextWindow : public TextWindow {
 public:
  explicit MemoryTextWindow(std::function<void(std::string_view)> onLine = {})
      : onLine_(std::move(onLine)) {}

  void Show(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void SetText(std::string_view text) override {
    text_.assign(text);
    const std::size_t end = text_.rfind(kLineEnd);
    lineStart_ = end == std::string::npos ? 0 : end + kLineEnd.size();
  }
  std::string Text() const override { return text_; }
  void Append(std::string_view text) override {
    text_.append(text);
    for (std::size_t end; (end = text_.find(kLineEnd, lineStart_)) != std::string::npos;) {
      if (onLine_) onLine_(std::string_view(text_).substr(lineStart_, end - lineStart_));
      lineStart_ = end + kLineEnd.size();
    }
  }

 private:
  static constexpr std::string_view kLineEnd = "\r\n";

  std::function<void(std::string_view)> onLine_;
  bool visible_ = false;
  std::string text_;
  std::size_t lineStart_ = 0;  // where the line not yet ended starts
};

}  // namespace corvane
