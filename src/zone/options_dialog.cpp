#include "zone/options_dialog.h"

#include <algorithm>

namespace wrimple {

options::options(const State& st) : allow_flying_tips_(st.FlyingTipsEnabled), aggressiveness_(1) {
  SetAggressiveness(st.Aggressiveness);
}

void options::SetAggressiveness(int value) {
  aggressiveness_ = std::clamp(value, kMinAggressiveness, kMaxAggressiveness);
}

void options::Ok(State& st) const {
  st.FlyingTipsEnabled = allow_flying_tips_;
  st.Aggressiveness = aggressiveness_ & 0xff;
  ClearZone(st);
}

}  // namespace wrimple
