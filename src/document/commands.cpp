#include "document/commands.h"

namespace wrimple {

namespace {

// The enabling conditions of the command table, each a predicate of the state.
// A new condition is a field here, set from the state, and a term in the rules
// of the commands it restricts.
struct Conditions {
  bool S1, S2, A, B, Z, nZ, D, L, K1, K2;

  explicit Conditions(const State& st)
      : S1(st.SourceCount >= 1),
        S2(st.SourceCount >= 2),
        A(st.AligningSource == 0),
        B(!st.SourceBrushing),
        Z(ZoneSelected(st)),
        nZ(!Z),
        D(!st.ScalingDialogOpen),
        L(!st.TargetLock),
        K1(st.doc.Source(1).SourceKind != kKindBlank),
        K2(st.doc.Source(2).SourceKind != kKindBlank) {}
};

}  // namespace

// Every id has its rule here and the switch has no default, so that the
// compiler asks for the rule of a new id.
bool IsEnabled(const State& st, CommandId id) {
  const Conditions c(st);
  const bool whole_target = c.S1 && c.A && c.B && c.nZ && c.D;
  const bool zone_command = c.A && c.Z && c.B && c.D;
  switch (id) {
    case CommandId::New:
    case CommandId::OpenImage:
    case CommandId::ReopenLastImage:
    case CommandId::NewChangeText:
    case CommandId::BlankSource:
    case CommandId::Save:
    case CommandId::SaveAs:
    case CommandId::NextSave:
    case CommandId::QuickPrint:
    case CommandId::PrintSetup:
    case CommandId::RecentFileFirst:
    case CommandId::RecentFileLast:
    case CommandId::Exit:
    case CommandId::Copy:
    case CommandId::Paste:
    case CommandId::Options:
    case CommandId::ToggleStatusBar:
    case CommandId::LookFirst:
    case CommandId::LookLast:
    case CommandId::About:
    case CommandId::HelpTopics:
    case CommandId::FlowDiagram: return true;
    case CommandId::Print:
    case CommandId::PrintPreview: return c.S1;
    case CommandId::Cut: return false;
    case CommandId::SetupReferenceColor: return c.A && c.B && c.nZ;
    case CommandId::SourceScaling: return c.B && c.nZ;
    case CommandId::BaseColor: return c.A && c.B;
    case CommandId::RotateSource1:
    case CommandId::FlipSource1: return whole_target && c.K1;
    case CommandId::RotateSource2:
    case CommandId::FlipSource2: return whole_target && c.S2 && c.K2;
    case CommandId::RestoreTarget: return c.S1 && c.L && c.A && c.B && c.nZ;
    case CommandId::AlignSource1: return c.S1 && c.B && c.nZ && c.K1;
    case CommandId::AlignSource2: return c.S2 && c.B && c.nZ && c.K2;
    case CommandId::AligningOff: return c.S1 && c.B && c.nZ;
    case CommandId::MergeTwoSources:
    case CommandId::TargetToSource1:
    case CommandId::TargetToSource2:
    case CommandId::LockTarget:
    case CommandId::BrightContrast:
    case CommandId::InvertBrightness:
    case CommandId::InvertColorBrightness:
    case CommandId::BlackAndWhite:
    case CommandId::Effects1:
    case CommandId::Effects2:
    case CommandId::Effects3:
    case CommandId::DappleEffect:
    case CommandId::PencilDraw:
    case CommandId::Sharpen:
    case CommandId::Emboss:
    case CommandId::Blur:
    case CommandId::Soften:
    case CommandId::Edge:
    case CommandId::Highlight:
    case CommandId::FlipHorizontal:
    case CommandId::FlipVertical: return whole_target;
    case CommandId::PortionMergeSource2:
    case CommandId::FillFromSource2: return zone_command && c.S2;
    case CommandId::PortionMergeSource1:
    case CommandId::FillFromSource1:
    case CommandId::NudgeDown:
    case CommandId::NudgeUp:
    case CommandId::NudgeLeft:
    case CommandId::NudgeRight:
    case CommandId::TwistCounterClockwise:
    case CommandId::TwistClockwise:
    case CommandId::Squash:
    case CommandId::Stretch:
    case CommandId::BlushDown:
    case CommandId::BlushUp: return zone_command;
    case CommandId::SourceBrushing: return c.S1 && c.A && c.Z && c.B;
    case CommandId::SourceBrushingOff: return c.S1 && c.A && st.SourceBrushing;
    // View zoom commands: steps stop at the smallest and the largest zoom.
    case CommandId::ZoomIn: return !IsLargestZoom(st.ViewZoom);
    case CommandId::ZoomOut: return !IsSmallestZoom(st.ViewZoom);
    case CommandId::ActualSize:
    case CommandId::FitInWindow: return true;
    // End of the view zoom commands.
  }
  return false;
}

bool IsChecked(const State& st, CommandId id) {
  return id == CommandId::SourceBrushing && st.SourceBrushing;
}

}  // namespace wrimple
