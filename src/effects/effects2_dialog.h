// "Special effects" (Effects 2): amplitude and frequency of the perturbation,
// each 1..100, previewed by Try from the snapshot taken when the dialog opened.
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "effects/dialog_integer_field.h"

namespace wrimple {

class effects2 {
 public:
  static constexpr int kHighest = 100;
  static constexpr int kInitial = 10;

  // Takes the snapshot; the target is unchanged.
  effects2(State& st, Platform& pf);

  IntegerField& amplitude() { return amplitude_; }
  IntegerField& frequency() { return frequency_; }

  // Arrow clicks (+1 right, -1 left): the value moves, the fields are
  // refreshed and Try runs.
  void OnAmplitudeArrow(int step);
  void OnFrequencyArrow(int step);
  // Validates (frequency first) and runs the effect; false when a field was
  // refused, the target then unchanged.
  bool OnTry();
  // Try once more, then validation again; true when the dialog closes.
  bool OnDone();
  // The snapshot back, redraw; the dialog closes.
  void OnCancel();

 private:
  bool ExchangeFields();
  State& st_;
  Platform& pf_;
  IntegerField amplitude_{kInitial, kHighest};
  IntegerField frequency_{kInitial, kHighest};
};

}  // namespace wrimple
