#include "app/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/picture.h"

namespace wrimple::app {

namespace {

QString ToQt(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

const QString kTitle = QStringLiteral("wrimple32");

}  // namespace

void QtMessageBoxes::ShowError(std::string_view text) {
  ++errors_shown_;
  QMessageBox::critical(parent_, kTitle, ToQt(text));
}

void QtMessageBoxes::ShowInfo(std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon, kTitle, ToQt(text), QMessageBox::Ok, parent_);
  box.exec();
}

bool QtMessageBoxes::AskYesNo(std::string_view text) {
  return QMessageBox::question(parent_, kTitle, ToQt(text), QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

QtMessageBoxes::Answer QtMessageBoxes::AskYesNoCancel(std::string_view text) {
  const QMessageBox::StandardButton answer = QMessageBox::question(
      parent_, kTitle, ToQt(text), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
      QMessageBox::Yes);
  if (answer == QMessageBox::Yes) return Answer::Yes;
  return answer == QMessageBox::No ? Answer::No : Answer::Cancel;
}

QStringList NameFiltersFromPairs(std::string_view filter) {
  // Pairs of description and patterns; the patterns are ';'-separated.
  const QStringList parts = ToQt(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << parts[i].section(" (", 0, 0) + " (" + patterns + ")";
  }
  return filters;
}

std::optional<FileChoice> QtFileChooser::ChooseOpen(const FileDialogRequest& request) {
  return Run(request, false);
}

std::optional<FileChoice> QtFileChooser::ChooseSave(const FileDialogRequest& request) {
  return Run(request, true);
}

std::optional<FileChoice> QtFileChooser::Run(const FileDialogRequest& request, bool saving) {
  QFileDialog dialog(parent_, ToQt(request.title), ToQt(request.initial_folder));
  const QStringList filters = NameFiltersFromPairs(request.filter);
  dialog.setNameFilters(filters);
  if (request.filter_index >= 1 && request.filter_index <= filters.size())
    dialog.selectNameFilter(filters[request.filter_index - 1]);
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  last_choice_ = dialog.selectedFiles().front().toStdString();
  return FileChoice{.path = dialog.selectedFiles().front().toStdString(),
                    .filter_index = int(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

int QtReplaceSource::ChooseSourceToReplace(std::string_view description1,
                                           std::string_view description2) {
  QDialog dialog(parent_);
  dialog.setObjectName("CReplaceSource");
  dialog.setWindowTitle("Replace Source Window");
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(
      new QLabel("No more than two sources can be present.\nWhich source do you want to replace?"));
  // Escape and the close box both keep the sources: result 0.
  int choice = 0;
  auto add_button = [&](const char* text, int value) {
    auto* b = new QPushButton(text);
    QObject::connect(b, &QPushButton::clicked, &dialog, [&choice, &dialog, value] {
      choice = value;
      dialog.accept();
    });
    layout->addWidget(b);
    return b;
  };
  auto add_description = [&](std::string_view text) {
    auto* edit = new QLineEdit(ToQt(text));
    edit->setReadOnly(true);
    edit->setMinimumWidth(360);
    layout->addWidget(edit);
  };
  add_button("Replace Src 1", 1)->setAutoDefault(false);
  add_description(description1);
  add_button("Replace Src 2", 2)->setAutoDefault(false);
  add_description(description2);
  QPushButton* keep = add_button("Don't Replace", 0);
  keep->setDefault(true);
  keep->setFocus();
  dialog.exec();
  return choice;
}

bool QtClipboard::Open() { return QApplication::clipboard() != nullptr; }

std::vector<std::uint8_t> PackedDibFromImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const int width = rgb.width(), height = rgb.height();
  const std::size_t row_length = std::size_t(DibRowLength(24, width));
  std::vector<std::uint8_t> dib(kInfoHeaderSize + row_length * std::size_t(height), 0);
  std::uint8_t* h = dib.data();
  WriteLe32(h + dib::kSize, kInfoHeaderSize);
  WriteLe32(h + dib::kWidth, std::uint32_t(width));
  WriteLe32(h + dib::kHeight, std::uint32_t(height));
  WriteLe16(h + dib::kPlanes, 1);
  WriteLe16(h + dib::kBitCount, 24);
  WriteLe32(h + dib::kSizeImage, std::uint32_t(row_length * std::size_t(height)));
  for (int y = 0; y < height; ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    std::uint8_t* to = h + kInfoHeaderSize + std::size_t(height - 1 - y) * row_length;
    for (int x = 0; x < width; ++x, to += 3) {
      to[0] = std::uint8_t(qBlue(from[x]));
      to[1] = std::uint8_t(qGreen(from[x]));
      to[2] = std::uint8_t(qRed(from[x]));
    }
  }
  return dib;
}

std::optional<std::vector<std::uint8_t>> QtClipboard::ReadDib() {
  const QImage image = QApplication::clipboard()->image();
  if (image.isNull()) return std::nullopt;
  return PackedDibFromImage(image);
}

void QtClipboard::WriteBitmap(int width, int height, const std::uint8_t* bottom_up_rows) {
  QImage image(width, height, QImage::Format_RGB32);
  const std::size_t row_length = std::size_t(RowLength24(width));
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* from = bottom_up_rows + std::size_t(height - 1 - y) * row_length;
    auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x, from += 3) to[x] = qRgb(from[2], from[1], from[0]);
  }
  QApplication::clipboard()->setImage(image);
}

std::optional<std::string> QtClipboard::ReadText() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return std::nullopt;
  return data->text().toStdString();
}

QString QtSettingsStore::Key(std::string_view name) const { return "Configure/" + ToQt(name); }

int QtSettingsStore::ReadInt(std::string_view name, int default_value) {
  bool ok = false;
  const int v = settings_.value(Key(name), default_value).toInt(&ok);
  return ok ? v : default_value;
}

std::string QtSettingsStore::ReadString(std::string_view name, std::string_view default_value) {
  return settings_.value(Key(name), ToQt(default_value)).toString().toStdString();
}

void QtSettingsStore::WriteInt(std::string_view name, int value) {
  settings_.setValue(Key(name), value);
}

void QtSettingsStore::WriteString(std::string_view name, std::string_view value) {
  settings_.setValue(Key(name), ToQt(value));
}

}  // namespace wrimple::app
