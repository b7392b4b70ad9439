// The commands that open a dialog over their core model.
#include <QColorDialog>
#include <QEventLoop>
#include <QPointer>

#include "app/application.h"
#include "app/dialog_pictures.h"
#include "app/dialog_windows.h"
#include "app/dialogs.h"
#include "app/view.h"
#include "compose/merge_command.h"
#include "compose/merge_dialog.h"
#include "compose/rotate.h"
#include "effects/bright_contrast.h"
#include "effects/dapple_dialog.h"
#include "effects/effects1_dialog.h"
#include "effects/effects2_dialog.h"
#include "effects/effects3_dialog.h"
#include "effects/highlight.h"
#include "io/clipboard_sources.h"
#include "io/saving.h"
#include "io/text_source.h"

namespace wrimple::app {

namespace {

using C = CommandId;

EffectField FieldOf(const char* label, IntegerField& field, std::function<void(int)> arrow) {
  return {label, [&field]() -> const std::string& { return field.text(); },
          [&field](std::string text) { field.Type(std::move(text)); }, std::move(arrow)};
}

void InstallSourceDialogs(Application& app) {
  MainWindow& w = app.window();
  State& st = app.state();
  Platform& pf = app.platform();
  w.SetHandler(C::MergeTwoSources, [&w, &st, &pf] {
    MergeTwoSources(st, pf, [&](mergepix& model) {
      RunMergeWindow(&w, st, model, [&](QWidget* over) { OpenReferenceColorWindow(over, st, pf); });
    });
  });
  w.SetHandler(C::SetupReferenceColor, [&w, &st, &pf] { OpenReferenceColorWindow(&w, st, pf); });
  QObject::connect(&w.view(), &View::ReferenceColorChanged, &w, [&st] { RefreshReferenceColorWindow(st); });
  w.SetHandler(C::BlankSource, [&w, &st, &pf] {
    if (!BeginBlankSource(st, pf)) return;
    // The blank waits for the colour without blocking the program: a sweep
    // over the target may choose it.
    const QPointer<QDialog> window = OpenReferenceColorWindow(&w, st, pf);
    if (window) {
      QEventLoop until_closed;
      QObject::connect(window, &QObject::destroyed, &until_closed, &QEventLoop::quit);
      until_closed.exec();
    }
    FinishBlankSource(st, pf);
  });
  w.SetHandler(C::BaseColor, [&w, &st, &pf] {
    ChangeBaseColor(st, pf, [&w](ColorRef initial) -> std::optional<ColorRef> {
      const QColor chosen = QColorDialog::getColor(
          QColor(int(initial & 0xff), int((initial >> 8) & 0xff), int((initial >> 16) & 0xff)), &w,
          "Base color");
      if (!chosen.isValid()) return std::nullopt;
      return MakeColorRef(chosen.red(), chosen.green(), chosen.blue());
    });
  });
  w.SetHandler(C::NewChangeText, [&w, &st, &pf] {
    struct Driver : TextEntryDriver {
      QWidget* parent;
      explicit Driver(QWidget* p) : parent(p) {}
      int Run(text_entry& dialog) override { return RunTextWindow(parent, dialog); }
    } driver(&w);
    NewChangeText(st, pf, driver);
  });
  auto scaling = std::make_shared<QPointer<QDialog>>();
  w.SetHandler(C::SourceScaling, [&w, &st, &pf, scaling] {
    if (!*scaling) *scaling = OpenScalingWindow(&w, st, pf);
  });
  // A menu opening ends the scaling dialog without its Cancel.
  w.on_popup = [scaling] { delete scaling->data(); };
  for (int n : {1, 2})
    w.SetHandler(n == 1 ? C::RotateSource1 : C::RotateSource2, [&w, &st, &pf, n] {
      RotateSource(st, pf, n, [&w](rotate& model) { RunRotateWindow(&w, model); });
    });
}

void InstallEffectDialogs(Application& app) {
  MainWindow& w = app.window();
  State& st = app.state();
  Platform& pf = app.platform();
  w.SetHandler(C::BrightContrast, [&w, &st, &pf] {
    RunBrightContrast(st, pf, [&w](bright_cont& model) { RunBrightContrastWindow(&w, model); });
  });
  w.SetHandler(C::Highlight, [&w, &st, &pf] {
    RunHighlight(st, pf, [&w](pos_bright_cont& model) { RunHighlightWindow(&w, model); });
  });
  const auto next_slide = [&st, &pf] { NextSave(st, pf); };
  w.SetHandler(C::Effects1, [&w, &st, &pf, next_slide] {
    effects model(st, pf);
    RunEffects1Window(&w, model, next_slide);
  });
  w.SetHandler(C::Effects2, [&w, &st, &pf, next_slide] {
    effects2 model(st, pf);
    RunFieldWindow(&w, {.name = "effects2",
                        .title = "Special effects",
                        .fields = {FieldOf("Pertubation Amplitude", model.amplitude(),
                                           [&](int s) { model.OnAmplitudeArrow(s); }),
                                   FieldOf("Pertubation Frequency", model.frequency(),
                                           [&](int s) { model.OnFrequencyArrow(s); })},
                        .buttons = {.try_ = [&] { model.OnTry(); },
                                    .done = [&] { return model.OnDone(); },
                                    .cancel = [&] { model.OnCancel(); },
                                    .next_slide = next_slide},
                        .note = "Enter values from 1 to 100"});
  });
  w.SetHandler(C::Effects3, [&w, &st, &pf, next_slide] {
    effects3 model(st, pf);
    RunFieldWindow(&w, {.name = "effects3",
                        .title = "Special Effects 3",
                        .fields = {FieldOf("Band frequency", model.bands(), [&](int s) { model.OnArrow(s); })},
                        .buttons = {.try_ = [&] { model.OnTry(); },
                                    .done = [&] { return model.OnDone(); },
                                    .cancel = [&] { model.OnCancel(); },
                                    .next_slide = next_slide}});
  });
  w.SetHandler(C::DappleEffect, [&w, &st, &pf, next_slide] {
    effects4 model(st, pf);
    EffectField size{"", [&model]() -> const std::string& { return model.size().text(); },
                     [&model](std::string text) { model.OnSizeEdited(std::move(text)); },
                     [&model](int s) { model.OnArrow(s); }};
    RunFieldWindow(&w, {.name = "effects4",
                        .title = "Dapple Effect",
                        .fields = {size},
                        .buttons = {.try_ = [&] { model.OnTry(); },
                                    .done = [&] { return model.OnDone(); },
                                    .cancel = [&] { model.OnCancel(); },
                                    .next_slide = next_slide,
                                    .try_enabled = [&] { return model.try_enabled(); }},
                        .picture = DappleSample(),
                        .intro = "You can adjust dapple size below."});
  });
}

}  // namespace

void InstallDialogCommands(Application& app) {
  MainWindow& w = app.window();
  State& st = app.state();
  Platform& pf = app.platform();
  w.SetHandler(C::Options, [&w, &st, &pf] {
    if (RunOptionsDialog(&w, st)) pf.view.RedrawView();
  });
  InstallSourceDialogs(app);
  InstallEffectDialogs(app);
}

}  // namespace wrimple::app
