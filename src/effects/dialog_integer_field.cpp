#include "effects/dialog_integer_field.h"

namespace wrimple {

void IntegerField::Arrow(int step) {
  value_ += step;
  if (value_ > highest_) value_ = highest_;
  if (value_ <= 0) value_ = 1;
}

bool IntegerField::Exchange(MessageBoxes& messages) {
  const std::string problem = ExchangeInteger(text_, 1, highest_, value_);
  if (!problem.empty()) messages.ShowError(problem);
  return problem.empty();
}

}  // namespace wrimple
