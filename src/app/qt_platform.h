// The Qt side of the platform interfaces that need no window of the program:
// message boxes, file dialogs, the replace-source dialog, the clipboard and the
// settings store.
#pragma once

#include <QSettings>
#include <QWidget>
#include <memory>
#include <utility>

#include "document/platform.h"

namespace wrimple::app {

class QtMessageBoxes : public MessageBoxes {
 public:
  explicit QtMessageBoxes(QWidget* parent) : parent_(parent) {}
  void ShowError(std::string_view text) override;
  void ShowInfo(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;
  // A question with Yes, No and Cancel (also Escape).
  enum class Answer { Yes, No, Cancel };
  Answer AskYesNoCancel(std::string_view text);

  // Error messages shown so far: a command whose run shows one has failed.
  int errors_shown() const { return errors_shown_; }

 private:
  QWidget* parent_;
  int errors_shown_ = 0;
};

// "Name (*.ext)|*.ext|...||" as Qt name filters, one per pair.
QStringList NameFiltersFromPairs(std::string_view filter);

class QtFileChooser : public FileChooser {
 public:
  explicit QtFileChooser(QWidget* parent) : parent_(parent) {}
  std::optional<FileChoice> ChooseOpen(const FileDialogRequest& request) override;
  std::optional<FileChoice> ChooseSave(const FileDialogRequest& request) override;

  // The path of the last dialog closed with OK, once; empty otherwise.
  std::string TakeLastChoice() { return std::exchange(last_choice_, std::string()); }

 private:
  std::optional<FileChoice> Run(const FileDialogRequest& request, bool saving);
  QWidget* parent_;
  std::string last_choice_;
};

class QtReplaceSource : public ReplaceSourceChooser {
 public:
  explicit QtReplaceSource(QWidget* parent) : parent_(parent) {}
  int ChooseSourceToReplace(std::string_view description1,
                            std::string_view description2) override;

 private:
  QWidget* parent_;
};

class QtClipboard : public Clipboard {
 public:
  bool Open() override;
  std::optional<std::vector<std::uint8_t>> ReadDib() override;
  void WriteBitmap(int width, int height, const std::uint8_t* bottom_up_rows) override;
  std::optional<std::string> ReadText() override;
};

// A clipboard image as a packed 24-bit device-independent bitmap: the 40-byte
// header and bottom-up blue-green-red rows padded to 4 bytes.
std::vector<std::uint8_t> PackedDibFromImage(const QImage& image);

// Section "Configure" of the given store.
class QtSettingsStore : public SettingsStore {
 public:
  explicit QtSettingsStore(QSettings& settings) : settings_(settings) {}
  int ReadInt(std::string_view name, int default_value) override;
  std::string ReadString(std::string_view name, std::string_view default_value) override;
  void WriteInt(std::string_view name, int value) override;
  void WriteString(std::string_view name, std::string_view value) override;

 private:
  QString Key(std::string_view name) const;
  QSettings& settings_;
};

}  // namespace wrimple::app
