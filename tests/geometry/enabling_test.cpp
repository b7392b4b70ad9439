#include <gtest/gtest.h>

#include "document/commands.h"
#include "geometry_fixture.h"

namespace wrimple::testing {
namespace {

// One state change away from a state in which every geometry command runs:
// two image sources, no zone, not aligning, not brushing, dialog closed, unlocked.
struct Change {
  const char* name;
  void (*apply)(State&);
};

constexpr CommandId kGeometryCommands[] = {
    CommandId::SourceScaling, CommandId::RotateSource1, CommandId::RotateSource2, CommandId::FlipSource1,
    CommandId::FlipSource2,   CommandId::AlignSource1,  CommandId::AlignSource2,  CommandId::AligningOff,
    CommandId::RestoreTarget, CommandId::LockTarget,    CommandId::MergeTwoSources};

// The command table's conditions, written out per command.
bool Expected(const State& st, CommandId id) {
  const bool s1 = st.SourceCount >= 1, s2 = st.SourceCount >= 2, a = st.AligningSource == 0;
  const bool b = !st.SourceBrushing, nz = !ZoneSelected(st), d = !st.ScalingDialogOpen, l = !st.TargetLock;
  const bool k1 = st.doc.Source(1).SourceKind != kKindBlank, k2 = st.doc.Source(2).SourceKind != kKindBlank;
  switch (id) {
    case CommandId::SourceScaling: return b && nz;
    case CommandId::RotateSource1:
    case CommandId::FlipSource1: return s1 && a && b && nz && d && k1;
    case CommandId::RotateSource2:
    case CommandId::FlipSource2: return s2 && a && b && nz && d && k2;
    case CommandId::AlignSource1: return s1 && b && nz && k1;
    case CommandId::AlignSource2: return s2 && b && nz && k2;
    case CommandId::AligningOff: return s1 && b && nz;
    case CommandId::RestoreTarget: return s1 && l && a && b && nz;
    default: return s1 && a && b && nz && d;
  }
}

class GeometryEnabling : public ::testing::TestWithParam<Change> {};

TEST_P(GeometryEnabling, FollowsTheCommandTable) {
  State st;
  PutSource(st, 1, 4, 4);
  PutSource(st, 2, 4, 4);
  GetParam().apply(st);
  for (CommandId id : kGeometryCommands) EXPECT_EQ(IsEnabled(st, id), Expected(st, id)) << int(id);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, GeometryEnabling,
    ::testing::Values(Change{"Nothing", [](State&) {}}, Change{"OneSource", [](State& st) { st.SourceCount = 1; }},
                      Change{"NoSource", [](State& st) { st.SourceCount = 0; }},
                      Change{"Aligning", [](State& st) { st.AligningSource = 2; }},
                      Change{"Brushing", [](State& st) { st.SourceBrushing = true; }},
                      Change{"ZoneSelected", [](State& st) { st.zone = {10, 10, 20, 20}; }},
                      Change{"ZoneTooNarrow", [](State& st) { st.zone = {10, 10, 19, 60}; }},
                      Change{"ScalingDialogOpen", [](State& st) { st.ScalingDialogOpen = true; }},
                      Change{"Locked", [](State& st) { st.TargetLock = true; }},
                      Change{"BlankSourceOne", [](State& st) { st.doc.Source(1).SourceKind = kKindBlank; }},
                      Change{"BlankSourceTwo", [](State& st) { st.doc.Source(2).SourceKind = kKindBlank; }}),
    [](const auto& info) { return std::string(info.param.name); });

// The cases the table's letters single out.
TEST(GeometryEnablingExamples, AligningWorksBesideTheScalingDialogButRotatingDoesNot) {
  State st;
  PutSource(st, 1, 4, 4);
  st.ScalingDialogOpen = true;
  EXPECT_TRUE(IsEnabled(st, CommandId::AlignSource1));
  EXPECT_FALSE(IsEnabled(st, CommandId::RotateSource1));
  EXPECT_FALSE(IsEnabled(st, CommandId::AlignSource2)) << "no second source";
  st.ScalingDialogOpen = false;
  st.AligningSource = 1;
  EXPECT_TRUE(IsEnabled(st, CommandId::SourceScaling));
  EXPECT_FALSE(IsEnabled(st, CommandId::FlipSource1));
}

}  // namespace
}  // namespace wrimple::testing
