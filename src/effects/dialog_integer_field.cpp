#include "effects/dialog_integer_field.h"

#include <charconv>

namespace wrimple {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string EnterAnIntegerBetween(int lowest, int highest) {
  return "Enter an integer between " + std::to_string(lowest) + " and " + std::to_string(highest) +
         ".";
}

bool ParseFieldInteger(std::string_view text, int& value) {
  std::string_view s = TrimBlanks(text);
  if (!s.empty() && s.front() == '+') {
    s.remove_prefix(1);
    if (s.empty() || s.front() < '0' || s.front() > '9') return false;
  }
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  return error == std::errc() && end == s.data() + s.size();
}

void IntegerField::Arrow(int step) {
  value_ += step;
  if (value_ > highest_) value_ = highest_;
  if (value_ <= 0) value_ = 1;
}

bool IntegerField::Exchange(MessageBoxes& messages) {
  int parsed = 0;
  if (!ParseFieldInteger(text_, parsed)) {
    messages.ShowError(kEnterAnInteger);
    return false;
  }
  value_ = parsed;
  if (value_ < 1 || value_ > highest_) {
    messages.ShowError(EnterAnIntegerBetween(1, highest_));
    return false;
  }
  return true;
}

}  // namespace wrimple
