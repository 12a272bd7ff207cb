// The multi-line text window, in which the no-speech mode writes a line for each phrase.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The multi-line text window pText of the sound window: the no-speech (Braille) mode writes here.
class TextWindow {
 public:
  virtual ~TextWindow() = default;
  virtual void Show(bool visible) = 0;              // show or hide the window
  virtual bool Visible() const = 0;                 // whether it is shown
  virtual void SetText(std::string_view text) = 0;  // replace the whole text (UTF-8)
  virtual std::string Text() const = 0;             // the whole text (UTF-8)
  virtual void Append(std::string_view text) = 0;   // insert at the end
};

}  // namespace corvane
