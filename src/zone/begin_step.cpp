#include "zone/begin_step.h"

namespace wrimple {

namespace {

// Adds direction to the counter, taking the snapshot first when a run starts.
template <typename Counter>
double Advance(State& st, Counter& counter, int direction) {
  if (counter == 0) SnapshotTarget(st);
  counter += Counter(direction);
  return double(counter);
}

}  // namespace

double BeginStep(State& st, ZoneStep step, int direction) {
  st.TargetModified = true;
  StepCounters& c = st.steps;
  StepCounters kept{};
  switch (step) {
    case ZoneStep::NudgeVertical:
      kept.NudgeVerticalCount = c.NudgeVerticalCount;
      break;
    case ZoneStep::NudgeHorizontal:
      kept.NudgeHorizontalCount = c.NudgeHorizontalCount;
      break;
    case ZoneStep::Twist:
      kept.TwistCount = c.TwistCount;
      break;
    case ZoneStep::SquashStretch:
      kept.SquashStretchCount = c.SquashStretchCount;
      break;
    case ZoneStep::PortionMerge:
      kept.PortionMergeCount = c.PortionMergeCount;
      break;
    case ZoneStep::Blush:
      kept.BlushCount = c.BlushCount;
      break;
    case ZoneStep::Fill:
      break;
  }
  c = kept;
  switch (step) {
    case ZoneStep::NudgeVertical:
      return Advance(st, c.NudgeVerticalCount, direction);
    case ZoneStep::NudgeHorizontal:
      return Advance(st, c.NudgeHorizontalCount, direction);
    case ZoneStep::Twist:
      return Advance(st, c.TwistCount, direction);
    case ZoneStep::SquashStretch:
      return Advance(st, c.SquashStretchCount, direction);
    case ZoneStep::PortionMerge:
      return Advance(st, c.PortionMergeCount, direction);
    case ZoneStep::Blush:
      return Advance(st, c.BlushCount, direction);
    case ZoneStep::Fill:
      break;
  }
  return 0.0;
}

}  // namespace wrimple
