// A text window kept in memory: what the headless host shows, and what tests read.
#pragma once

#include <string>
#include <string_view>

#include "platform/host.h"

namespace corvane {

class MemoryTextWindow : public TextWindow {
 public:
  void Show(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void SetText(std::string_view text) override { text_.assign(text); }
  std::string Text() const override { return text_; }
  void Append(std::string_view text) override { text_.append(text); }

 private:
  bool visible_ = false;
  std::string text_;
};

}  // namespace corvane
