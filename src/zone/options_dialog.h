// The "Options" dialog: flying tips on or off and the aggressiveness of the zone
// buttons. Confirming always removes the zone, so the next clicks start afresh
// with the new strength.
#pragma once

#include "document/state.h"

namespace wrimple {

class options {
 public:
  static constexpr int kMinAggressiveness = 1;
  static constexpr int kMaxAggressiveness = 10;

  // The controls loaded from the state.
  explicit options(const State& st);

  bool allow_flying_tips() const { return allow_flying_tips_; }
  int aggressiveness() const { return aggressiveness_; }
  void SetAllowFlyingTips(bool allow) { allow_flying_tips_ = allow; }
  // The up-down control holds its position within 1..10.
  void SetAggressiveness(int value);

  // "OK": the values into the state, then the zone is cleared.
  void Ok(State& st) const;
  // "Cancel" changes nothing: the dialog is simply dropped.

 private:
  bool allow_flying_tips_;
  int aggressiveness_;
};

}  // namespace wrimple
