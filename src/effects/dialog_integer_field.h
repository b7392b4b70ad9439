// An edit field of the effect dialogs that holds an integer in 1..highest, with
// the framework's exchange: the text is read into the held value and checked,
// and a failure shows the framework's validation message.
#pragma once

#include <string>

#include "document/field_exchange.h"
#include "document/platform.h"

namespace wrimple {

class IntegerField {
 public:
  IntegerField(int initial, int highest)
      : value_(initial), highest_(highest), text_(std::to_string(initial)) {}

  int value() const { return value_; }
  const std::string& text() const { return text_; }
  void Type(std::string text) { text_ = std::move(text); }

  // An arrow click: the held value moves by step, kept at most at the highest
  // value and at least 1. The field is not refreshed here: the dialog
  // refreshes all its fields together.
  void Arrow(int step);
  void Refresh() { text_ = std::to_string(value_); }

  // Reads the text into the held value and checks 1..highest. A text that is no
  // integer leaves the held value alone; an integer out of range is held
  // anyway, as the framework's exchange keeps it. False after the message.
  bool Exchange(MessageBoxes& messages);

 private:
  int value_;
  int highest_;
  std::string text_;
};

}  // namespace wrimple
