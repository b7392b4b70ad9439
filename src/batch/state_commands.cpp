// The commands that report: state and echo.
#include <cstdio>
#include <ostream>
#include <string>

#include "batch/command_table.h"
#include "batch/session.h"

namespace wrimple::batch {

namespace {

std::string Float9(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.9g", v);
  return buffer;
}

std::string Rgb(const Bgr& c) {
  return std::to_string(c[2]) + "," + std::to_string(c[1]) + "," + std::to_string(c[0]);
}

void WriteState(const State& st, std::ostream& out) {
  auto line = [&out](const char* name, const std::string& value) {
    out << name << '=' << value << '\n';
  };
  auto num = [&line](const char* name, long long v) { line(name, std::to_string(v)); };
  num("SourceCount", st.SourceCount);
  num("TargetWidth", st.TargetWidth());
  num("TargetHeight", st.TargetHeight());
  num("TargetModified", st.TargetModified);
  num("TargetLock", st.TargetLock);
  line("ReferenceColor", Rgb(st.ReferenceColor));
  line("BaseColor", Rgb(st.doc.BaseColor));
  num("MergeMethod", st.MergeMethod);
  num("MergeBias", st.MergeBias);
  num("ContrastMode", st.ContrastMode);
  num("ContrastThreshold", st.ContrastThreshold);
  num("Aggressiveness", st.Aggressiveness);
  num("X1", st.zone.X1);
  num("Y1", st.zone.Y1);
  num("X2", st.zone.X2);
  num("Y2", st.zone.Y2);
  num("ZoneWidth", st.zone.ZoneWidth);
  num("ZoneHeight", st.zone.ZoneHeight);
  num("NudgeVerticalCount", st.steps.NudgeVerticalCount);
  num("NudgeHorizontalCount", st.steps.NudgeHorizontalCount);
  line("TwistCount", Float9(st.steps.TwistCount));
  num("SquashStretchCount", st.steps.SquashStretchCount);
  num("PortionMergeCount", st.steps.PortionMergeCount);
  num("BlushCount", st.steps.BlushCount);
  num("AligningSource", st.AligningSource);
  num("SourceBrushing", st.SourceBrushing);
  for (int n = 1; n <= 2; ++n) {
    const SourceImage& s = st.doc.Source(n);
    const std::string p = "Source" + std::to_string(n) + ".";
    auto field = [&](const char* name, const std::string& value) {
      out << p << name << '=' << value << '\n';
    };
    field("Kind", std::to_string(s.SourceKind));
    field("Width", std::to_string(s.SourcePicture ? s.SourcePicture->width() : 0));
    field("Height", std::to_string(s.SourcePicture ? s.SourcePicture->height() : 0));
    field("ScaleXPercent", Float9(s.ScaleXPercent));
    field("ScaleYPercent", Float9(s.ScaleYPercent));
    field("OffsetX", std::to_string(s.OffsetX));
    field("OffsetY", std::to_string(s.OffsetY));
    field("Angle", Float9(s.Angle));
    field("Flipped", std::to_string(s.Flipped));
    field("PlacedWidth", std::to_string(s.PlacedWidth));
    field("PlacedHeight", std::to_string(s.PlacedHeight));
  }
}

}  // namespace

void RegisterStateCommands(CommandTable& table) {
  table.Bind("state", {[](Session& s, const ScriptLine&) {
               WriteState(s.state, s.out);
               return true;
             }});
  table.Bind("echo", {[](Session& s, const ScriptLine& line) {
               std::string text;
               for (const std::string& a : line.args) text += (text.empty() ? "" : " ") + a;
               s.out << text << '\n';
               return true;
             }});
}

}  // namespace wrimple::batch
