// The small interfaces through which the core reaches the platform. The desktop
// program implements them with Qt, the batch runner with its script answers, and
// the tests with scripted doubles (tests/support).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "document/pixels.h"
#include "document/view_mapping.h"

namespace wrimple {

// Modal message boxes with fixed texts.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void ShowError(std::string_view text) = 0;  // error icon, OK
  virtual void ShowInfo(std::string_view text) = 0;   // plain OK
  virtual bool AskYesNo(std::string_view text) = 0;   // question icon; true for Yes
};

struct FileDialogRequest {
  std::string title;
  std::string filter;          // "Name (*.ext)|*.ext|...||"
  std::string initial_folder;  // empty: the platform's choice
  int filter_index = 0;        // 1-based; 0: the platform's choice
};
struct FileChoice {
  std::string path;
  int filter_index = 1;  // 1-based
};

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual std::optional<FileChoice> ChooseOpen(const FileDialogRequest& request) = 0;
  // Asks before overwriting an existing file.
  virtual std::optional<FileChoice> ChooseSave(const FileDialogRequest& request) = 0;
};

// "Replace Source Window": 1 or 2 to replace that source, 0 to keep both.
class ReplaceSourceChooser {
 public:
  virtual ~ReplaceSourceChooser() = default;
  virtual int ChooseSourceToReplace(std::string_view description1,
                                    std::string_view description2) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // False when the clipboard cannot be opened.
  virtual bool Open() = 0;
  // The device-independent bitmap on the clipboard (header, masks or colour
  // table, bits), or nullopt when it holds none.
  virtual std::optional<std::vector<std::uint8_t>> ReadDib() = 0;
  // Empties the clipboard and puts a w x h picture on it: bottom-up rows of
  // RowLength24(w) bytes, blue-green-red.
  virtual void WriteBitmap(int width, int height, const std::uint8_t* bottom_up_rows) = 0;
  virtual std::optional<std::string> ReadText() = 0;
};

// The settings store, section "Configure".
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual int ReadInt(std::string_view name, int default_value) = 0;
  virtual std::string ReadString(std::string_view name, std::string_view default_value) = 0;
  virtual void WriteInt(std::string_view name, int value) = 0;
  virtual void WriteString(std::string_view name, std::string_view value) = 0;
};

// The status bar's progress pane.
class ProgressPane {
 public:
  virtual ~ProgressPane() = default;
  // Fill percent of the pane, from its left edge, with colour (painted at once).
  virtual void FillProgressPane(ColorRef color, int percent) = 0;
};

inline constexpr ColorRef kProgressIdle = MakeColorRef(128, 128, 128);
inline constexpr ColorRef kProgressWorking = MakeColorRef(0, 255, 0);

// The one view: repaint requests and the geometry that commands read.
class ViewPort {
 public:
  virtual ~ViewPort() = default;
  // Repaint the whole view now.
  virtual void RedrawView() = 0;
  virtual Size ClientSize() const = 0;
  virtual Point ScrollPosition() const = 0;
  // The picture's size in target pixels; the view scrolls over it as zoomed.
  virtual void SetScrollSizes(int width, int height) = 0;
  // How window points and target points correspond: at 1:1 by the scroll
  // position alone, unless the view zooms.
  virtual ViewMapping Mapping() const { return ViewMapping{.scroll = ScrollPosition()}; }
  // Repaint the whole view now, knowing that since the last repaint nothing
  // has changed but the target's pixels inside `changed` (possibly none).
  virtual void RedrawTargetArea(const PixelRect& changed) {
    (void)changed;
    RedrawView();
  }
};

// A 1-bit picture, rows top first, stride bytes per row, most significant bit
// first, 1 = ink.
struct MonoBitmap {
  int width = 0;
  int height = 0;
  int stride = 0;
  std::vector<std::uint8_t> bits;
  bool Ink(int x, int y) const {
    return (bits[std::size_t(y) * stride + std::size_t(x >> 3)] >> (7 - (x & 7))) & 1;
  }
};

// A font made from the document's font record.
class Font {
 public:
  virtual ~Font() = default;
  // Extent of one line of text (no line breaks), in pixels.
  virtual Size MeasureLine(std::string_view line) = 0;
  // Draws text (lines separated by "\r\n", tabs expanded, left-aligned, no word
  // wrap, no anti-aliasing) into the rectangle (left, top)-(width, height) of a
  // width x height monochrome picture whose background is 0.
  virtual MonoBitmap DrawText(std::string_view text, int width, int height, int left,
                              int top) = 0;
};

class TextDrawing {
 public:
  virtual ~TextDrawing() = default;
  // nullptr when the font cannot be created.
  virtual std::unique_ptr<Font> CreateFont(const FontRecord& record) = 0;
};

// The C library's rand and srand as the program uses them: the C standard's
// example generator. Seeding "from the clock" asks the clock source, which the
// batch runner's --seed and the tests replace.
class RandomGenerator {
 public:
  static constexpr int kRandMax = 32767;

  explicit RandomGenerator(std::function<std::uint32_t()> clock_seed)
      : clock_seed_(std::move(clock_seed)) {}

  void Srand(std::uint32_t seed) { state_ = seed; }
  void SeedFromClock() { Srand(clock_seed_()); }
  int Rand() {
    state_ = state_ * 1103515245u + 12345u;
    return int((state_ / 65536u) % 32768u);
  }

 private:
  std::function<std::uint32_t()> clock_seed_;
  std::uint32_t state_ = 1;
};

// Everything of the platform that an operation may reach.
struct Platform {
  MessageBoxes& messages;
  FileChooser& files;
  ReplaceSourceChooser& replace;
  Clipboard& clipboard;
  SettingsStore& settings;
  ProgressPane& progress;
  ViewPort& view;
  TextDrawing& text;
  RandomGenerator& random;
};

}  // namespace wrimple
