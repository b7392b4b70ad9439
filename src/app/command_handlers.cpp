// Every command of the program bound to its core operation. Commands that
// open a dialog hand the dialog's model to the Qt dialog that drives it.
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "app/application.h"
#include "app/dialogs.h"
#include "app/status_bar.h"
#include "app/view.h"
#include "compose/align.h"
#include "compose/flip_source.h"
#include "effects/apply_filter.h"
#include "effects/black_and_white.h"
#include "effects/flip_horizontal.h"
#include "effects/flip_vertical.h"
#include "effects/invert_brightness.h"
#include "effects/invert_color_brightness.h"
#include "effects/pencil_draw.h"
#include "io/clipboard_sources.h"
#include "io/loading.h"
#include "io/saving.h"
#include "zone/blush.h"
#include "zone/fill.h"
#include "zone/lock_target.h"
#include "zone/nudge.h"
#include "zone/portion_merge.h"
#include "zone/restore_target.h"
#include "zone/source_brushing.h"
#include "zone/squash_stretch.h"
#include "zone/twist.h"

namespace wrimple::app {

namespace {

using C = CommandId;

void InstallFileCommands(Application& app) {
  MainWindow& w = app.window();
  State& st = app.state();
  Platform& pf = app.platform();
  w.SetHandler(C::OpenImage, [&app, &st, &pf] {
    const int errors = app.messages().errors_shown();
    app.files().TakeLastChoice();
    OpenImage(st, pf);
    const std::string chosen = app.files().TakeLastChoice();
    if (!chosen.empty() && app.messages().errors_shown() == errors)
      app.AddRecentFile(QString::fromStdString(chosen));
  });
  w.SetHandler(C::ReopenLastImage, [&st, &pf] { ReopenLastImage(st, pf); });
  w.SetHandler(C::Save, [&st, &pf] { Save(st, pf); });
  w.SetHandler(C::SaveAs, [&st, &pf] { SaveAs(st, pf); });
  w.SetHandler(C::NextSave, [&st, &pf] { NextSave(st, pf); });
  w.SetHandler(C::Copy, [&st, &pf] { CopyTarget(st, pf); });
  w.SetHandler(C::Paste, [&st, &pf] { Paste(st, pf); });
  w.SetHandler(C::TargetToSource1, [&st, &pf] { TargetToSource(st, pf, 1); });
  w.SetHandler(C::TargetToSource2, [&st, &pf] { TargetToSource(st, pf, 2); });
  w.SetHandler(C::Exit, [&w] { w.close(); });
}

void InstallPrintCommands(Application& app) {
  MainWindow& w = app.window();
  State& st = app.state();
  w.SetHandler(C::Print, [&w, &st] { RunPrint(w, st, PrintMode::Dialog); });
  w.SetHandler(C::QuickPrint, [&w, &st] { RunPrint(w, st, PrintMode::Quick); });
  w.SetHandler(C::PrintPreview, [&w, &st] { RunPrint(w, st, PrintMode::Preview); });
  w.SetHandler(C::PrintSetup, [&w] { RunPrintSetup(w); });
}

void InstallSourceCommands(Application& app) {
  MainWindow& w = app.window();
  State& st = app.state();
  Platform& pf = app.platform();
  w.SetHandler(C::FlipSource1, [&st, &pf] { FlipSource(st, pf, 1); });
  w.SetHandler(C::FlipSource2, [&st, &pf] { FlipSource(st, pf, 2); });
  w.SetHandler(C::AlignSource1, [&st, &pf] { SetAligning(st, pf, 1); });
  w.SetHandler(C::AlignSource2, [&st, &pf] { SetAligning(st, pf, 2); });
  w.SetHandler(C::AligningOff, [&st, &pf] {
    SetAligning(st, pf, 0);
    st.tips.PreviewTip.Empty();
  });
  w.SetHandler(C::LockTarget, [&st] { LockTarget(st); });
  w.SetHandler(C::RestoreTarget, [&st, &pf] { RestoreTarget(st, pf); });
}

void InstallTargetCommands(Application& app) {
  MainWindow& w = app.window();
  State& st = app.state();
  Platform& pf = app.platform();
  w.SetHandler(C::InvertBrightness, [&st, &pf] { OnInvertBrightness(st, pf); });
  w.SetHandler(C::InvertColorBrightness, [&st, &pf] { OnInvertColorBrightness(st, pf); });
  w.SetHandler(C::BlackAndWhite, [&st, &pf] { OnBlackAndWhite(st, pf); });
  w.SetHandler(C::PencilDraw, [&st, &pf] { PencilDraw(st, pf); });
  const std::pair<C, ConvolutionFilter> filters[] = {
      {C::Sharpen, ConvolutionFilter::Sharpen}, {C::Emboss, ConvolutionFilter::Emboss},
      {C::Blur, ConvolutionFilter::Blur},       {C::Soften, ConvolutionFilter::Soften},
      {C::Edge, ConvolutionFilter::Edge}};
  for (const auto& [id, filter] : filters)
    w.SetHandler(id, [&st, &pf, filter = filter] { OnConvolutionFilter(st, pf, filter); });
  w.SetHandler(C::FlipHorizontal, [&st, &pf] { OnFlipHorizontal(st, pf); });
  w.SetHandler(C::FlipVertical, [&st, &pf] { OnFlipVertical(st, pf); });
}

void InstallZoneCommands(Application& app) {
  MainWindow& w = app.window();
  State& st = app.state();
  Platform& pf = app.platform();
  const std::pair<C, NudgeDirection> nudges[] = {{C::NudgeDown, NudgeDirection::Down},
                                                 {C::NudgeUp, NudgeDirection::Up},
                                                 {C::NudgeLeft, NudgeDirection::Left},
                                                 {C::NudgeRight, NudgeDirection::Right}};
  for (const auto& [id, direction] : nudges)
    w.SetHandler(id, [&st, &pf, direction = direction] { Nudge(st, pf, direction); });
  w.SetHandler(C::TwistClockwise, [&st, &pf] { Twist(st, pf, +1); });
  w.SetHandler(C::TwistCounterClockwise, [&st, &pf] { Twist(st, pf, -1); });
  w.SetHandler(C::Stretch, [&st, &pf] { SquashStretch(st, pf, +1); });
  w.SetHandler(C::Squash, [&st, &pf] { SquashStretch(st, pf, -1); });
  w.SetHandler(C::PortionMergeSource1, [&st, &pf] { PortionMerge(st, pf, +1); });
  w.SetHandler(C::PortionMergeSource2, [&st, &pf] { PortionMerge(st, pf, -1); });
  w.SetHandler(C::FillFromSource1, [&st, &pf] { Fill(st, pf, 1); });
  w.SetHandler(C::FillFromSource2, [&st, &pf] { Fill(st, pf, 2); });
  w.SetHandler(C::BlushUp, [&st, &pf] { Blush(st, pf, +1); });
  w.SetHandler(C::BlushDown, [&st, &pf] { Blush(st, pf, -1); });
  w.SetHandler(C::SourceBrushing, [&w, &st, &pf] {
    w.view().ShowBrushBox(SourceBrushingOn(st, pf));
  });
  w.SetHandler(C::SourceBrushingOff, [&st, &pf] { SourceBrushingOff(st, pf); });
}

void InstallWindowCommands(Application& app) {
  MainWindow& w = app.window();
  w.SetHandler(C::ToggleStatusBar, [&w] {
    w.status().setVisible(!w.status().isVisible());
    w.ActionOf(C::ToggleStatusBar)->setChecked(w.status().isVisible());
  });
  w.SetHandler(C::About, [&w] { RunAboutDialog(&w); });
  w.SetHandler(C::FlowDiagram, [&app, &w] {
    // An unreadable picture shows nothing.
    QImageReader reader(app.HelpSibling("bmp"));
    const QImage picture = reader.read();
    if (!picture.isNull()) w.view().ShowFlowDiagram(picture);
  });
}

}  // namespace

void InstallCommandHandlers(Application& app) {
  InstallFileCommands(app);
  InstallPrintCommands(app);
  InstallSourceCommands(app);
  InstallTargetCommands(app);
  InstallZoneCommands(app);
  InstallWindowCommands(app);
  InstallDialogCommands(app);
}

}  // namespace wrimple::app
