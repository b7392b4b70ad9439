// The Qt windows of the dialogs that commands open; each drives its core model.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {
class mergepix;
class rotate;
class bright_cont;
class effects;
class pos_bright_cont;
class text_entry;
}  // namespace wrimple

namespace wrimple::app {

// "Options": true when confirmed.
bool RunOptionsDialog(QWidget* parent, State& st);

// The merge dialog, modal until DONE or Escape; open_reference shows the
// reference colour window the model opened, over the merge window given.
void RunMergeWindow(QWidget* parent, State& st, mergepix& model,
                    const std::function<void(QWidget* over)>& open_reference);

// "Setup Reference Color": the modeless window, opened unless it is open
// already; the open window is returned.
QDialog* OpenReferenceColorWindow(QWidget* parent, State& st, Platform& pf);
// The open window follows ReferenceColor (after a right-button sweep).
void RefreshReferenceColorWindow(State& st);

// "Source scaling": the modeless window, or nullptr when the model did not open.
QDialog* OpenScalingWindow(QWidget* parent, State& st, Platform& pf);

void RunRotateWindow(QWidget* parent, rotate& model);
void RunBrightContrastWindow(QWidget* parent, bright_cont& model);
void RunEffects1Window(QWidget* parent, effects& model, std::function<void()> next_slide);
void RunHighlightWindow(QWidget* parent, pos_bright_cont& model);

// "New/Change Text ...": the text dialog once; its result (OK, Try Text, Cancel).
int RunTextWindow(QWidget* parent, text_entry& model);

// An integer field of an effect dialog with its arrows.
struct EffectField {
  const char* label;
  std::function<const std::string&()> text;
  std::function<void(std::string)> type;
  std::function<void(int)> arrow;
};
struct EffectButtons {
  std::function<void()> try_;
  std::function<bool()> done;
  std::function<void()> cancel;
  std::function<void()> next_slide;
  std::function<bool()> try_enabled;  // empty: always enabled
};
// An effect dialog of fields: its class name, title, an optional picture and
// text above the fields and a note below them.
struct FieldDialog {
  const char* name;
  const char* title;
  std::vector<EffectField> fields;
  EffectButtons buttons;
  QPixmap picture = {};
  const char* intro = "";
  const char* note = "";
};
void RunFieldWindow(QWidget* parent, FieldDialog dialog);

}  // namespace wrimple::app
