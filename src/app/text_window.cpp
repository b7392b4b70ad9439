#include <QColorDialog>
#include <algorithm>
#include <cstdlib>
#include <QDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/dialog_windows.h"
#include "io/text_source.h"

namespace wrimple::app {

namespace {

QFont ToQFont(const FontRecord& record) {
  QFont font(QString::fromStdString(record.face_name));
  font.setPixelSize(std::max(1, std::abs(record.height)));
  font.setWeight(QFont::Weight(std::clamp(record.weight == 0 ? 400 : record.weight, 1, 1000)));
  font.setItalic(record.italic != 0);
  font.setUnderline(record.underline != 0);
  font.setStrikeOut(record.strike_out != 0);
  return font;
}

// A negative height asks for that character height in pixels.
FontRecord ToFontRecord(const QFont& font, FontRecord record) {
  record.height = -QFontInfo(font).pixelSize();
  record.width = 0;
  record.weight = font.weight();
  record.italic = font.italic() ? 1 : 0;
  record.underline = font.underline() ? 1 : 0;
  record.strike_out = font.strikeOut() ? 1 : 0;
  record.face_name = font.family().left(int(FontRecord::kMaxFaceName)).toStdString();
  return record;
}

QColor ToQColor(ColorRef c) { return QColor(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff)); }

std::string Typed(const QPlainTextEdit* edit) {
  return edit->toPlainText().replace("\n", "\r\n").toStdString();
}

}  // namespace

int RunTextWindow(QWidget* parent, text_entry& model) {
  QDialog dialog(parent);
  dialog.setObjectName("text_entry");
  dialog.setWindowTitle("Text Entry");
  auto* grid = new QGridLayout(&dialog);
  grid->addWidget(new QLabel(QString::fromStdString(model.label())), 0, 0, 1, 4);
  auto* edit = new QPlainTextEdit(QString::fromStdString(model.initial_text()).replace("\r\n", "\n"));
  edit->setObjectName("1047");
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  grid->addWidget(edit, 1, 0, 1, 4);
  int result = text_entry::kCancel;
  auto add = [&](const char* text, int column, std::function<void()> press) {
    auto* b = new QPushButton(text);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, &dialog, std::move(press));
    grid->addWidget(b, 2, column);
    return b;
  };
  add("Paste", 0, [edit] { edit->paste(); });
  add("Set Font", 1, [&] {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, ToQFont(model.font()), &dialog, "Font");
    if (ok) {
      const QColor color = QColorDialog::getColor(ToQColor(model.color()), &dialog, "Text color");
      const ColorRef chosen = color.isValid() ? MakeColorRef(color.red(), color.green(), color.blue())
                                              : model.color();
      model.SetFont(FontChoice{ToFontRecord(font, model.font()), chosen});
    } else {
      model.SetFont(std::nullopt);
    }
    // In every case the edit box shows the text in the font of the record.
    edit->setFont(ToQFont(model.font()));
  });
  add("Try Text", 2, [&] {
    result = model.TryText(Typed(edit));
    dialog.done(QDialog::Accepted);
  });
  add("OK", 3, [&] {
    result = model.Ok(Typed(edit));
    dialog.done(QDialog::Accepted);
  })->setDefault(true);
  if (dialog.exec() != QDialog::Accepted) return model.Cancel();
  return result;
}

}  // namespace wrimple::app
