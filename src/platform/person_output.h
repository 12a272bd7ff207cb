// Where what one person is told ends up: the phrases spoken to them (after their markers are
// handled), the lines of their text window, their message boxes and the sounds started for them.
// The host is the output of its own person, the one at its keyboard; a person elsewhere (another
// script in script mode, a friend's program over the network) has an output of their own.
#pragma once

#include <string_view>

#include "platform/text_window.h"

namespace corvane {

enum class MessageIcon { Critical, Exclamation, Information };

class PersonOutput {
 public:
  virtual ~PersonOutput() = default;

  // A modal message box; returns when the person has dismissed it.
  virtual void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) = 0;

  // The person's text window (the no-speech mode writes here).
  virtual TextWindow& Text() = 0;

  // Every phrase that speech hands to the person, after its markers are handled (the transcript).
  virtual void OnSpoken(std::string_view /*text*/) {}

  // Every sound started for the person, by its file name after wildcard substitution.
  virtual void OnSoundPlayed(std::string_view /*file*/) {}

  // A prompt now waits for this person's key (true), or no longer does (false). Waits nest: a
  // command key of one person may ask a question while another person's prompt waits.
  virtual void AnswerWaiting(bool /*waiting*/) {}

  // Every phrase handed to the person's speech as it was given, its markers kept, with its system
  // type; and every silencing of it. A person whose speech runs in a program of their own (a
  // friend over the network) passes these on, so that their program keeps their history.
  virtual void OnPhrase(std::string_view /*phrase*/, int /*systemType*/) {}
  virtual void OnSpeechStopped() {}

  // True when the person's keys come from another program (a friend's, over the network): a
  // prompt of theirs then waits on that program rather than on this machine's keys.
  virtual bool KeysFromElsewhere() const { return false; }
};

}  // namespace corvane
