// "Special Effects 3": the band frequency 1..20, previewed by Try from the
// snapshot taken when the dialog opened.
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "effects/dialog_integer_field.h"

namespace wrimple {

class effects3 {
 public:
  static constexpr int kHighest = 20;
  static constexpr int kInitial = 1;

  // Takes the snapshot; the target is unchanged.
  effects3(State& st, Platform& pf);

  IntegerField& bands() { return bands_; }

  // An arrow click (+1 right, -1 left): the value moves, the field is
  // refreshed and Try runs.
  void OnArrow(int step);
  // Validates and runs the effect; false when the field was refused, the
  // target then unchanged.
  bool OnTry();
  // Try once more, then validation again; true when the dialog closes.
  bool OnDone();
  // The snapshot back, redraw; the dialog closes.
  void OnCancel();

 private:
  State& st_;
  Platform& pf_;
  IntegerField bands_{kInitial, kHighest};
};

}  // namespace wrimple
