// "Dapple Effect": the dapple size 1..10. Try repaints from the snapshot taken
// when the dialog opened and then stays disabled until the size is edited or
// its arrows are clicked, since a second run would give the same picture.
#pragma once

#include <string>

#include "document/platform.h"
#include "document/state.h"
#include "effects/dialog_integer_field.h"

namespace wrimple {

class effects4 {
 public:
  static constexpr int kHighest = 10;
  static constexpr int kInitial = 5;

  // Takes the snapshot; the target is unchanged and Try is enabled.
  effects4(State& st, Platform& pf);

  const IntegerField& size() const { return size_; }
  bool try_enabled() const { return try_enabled_; }

  // Any change of the field's text enables Try.
  void OnSizeEdited(std::string text);
  // An arrow click (+1 right, -1 left): the value moves, the field is
  // refreshed (which edits it) and Try is enabled; nothing runs.
  void OnArrow(int step);
  // The Try button; false when it is disabled and cannot be pressed. A refused
  // field shows its message, and the effect runs with the value held.
  bool OnTry();
  // Try once more, then validation again; true when the dialog closes.
  bool OnDone();
  // The snapshot back, redraw; the dialog closes.
  void OnCancel();

 private:
  void RunTry();
  State& st_;
  Platform& pf_;
  IntegerField size_{kInitial, kHighest};
  bool try_enabled_ = true;
};

}  // namespace wrimple
