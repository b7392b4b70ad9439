#include "zone/begin_step.h"

namespace wrimple {

namespace {

// Zeroes every counter but `own`, takes the snapshot when `own` starts a run,
// then adds the direction to it.
template <typename Counter>
double Advance(State& st, Counter StepCounters::*own, int direction) {
  const Counter kept = st.steps.*own;
  st.steps = StepCounters{};
  st.steps.*own = kept;
  if (kept == 0) SnapshotTarget(st);
  st.steps.*own += Counter(direction);
  return double(st.steps.*own);
}

}  // namespace

double BeginStep(State& st, ZoneStep step, int direction) {
  st.TargetModified = true;
  switch (step) {
    case ZoneStep::NudgeVertical:
      return Advance(st, &StepCounters::NudgeVerticalCount, direction);
    case ZoneStep::NudgeHorizontal:
      return Advance(st, &StepCounters::NudgeHorizontalCount, direction);
    case ZoneStep::Twist:
      return Advance(st, &StepCounters::TwistCount, direction);
    case ZoneStep::SquashStretch:
      return Advance(st, &StepCounters::SquashStretchCount, direction);
    case ZoneStep::PortionMerge:
      return Advance(st, &StepCounters::PortionMergeCount, direction);
    case ZoneStep::Blush:
      return Advance(st, &StepCounters::BlushCount, direction);
    case ZoneStep::Fill:
      break;
  }
  st.steps = StepCounters{};
  return 0.0;
}

}  // namespace wrimple
