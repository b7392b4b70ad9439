// The runner's loading and saving commands end to end: exact round trips,
// the replace answer, text with Try Text, paste, copy and numbered saves.
#include <sstream>

#include "batch/runner.h"
#include "batch/session.h"
#include "io/imaging.h"
#include "io_fixtures.h"
#include "support/scripted_platform.h"

namespace wrimple::testing {
namespace {

class BatchIo : public TempFolder {
 protected:
  int Run(const std::string& script) {
    std::istringstream in(script);
    out.str("");
    err.str("");
    return batch::RunBatch({"-"}, in, out, err);
  }
  // The value of Name in the output of the last `state`.
  std::string StateValue(const std::string& name) const {
    std::istringstream lines(out.str());
    std::string line, value;
    while (std::getline(lines, line))
      if (line.rfind(name + "=", 0) == 0) value = line.substr(name.size() + 1);
    return value;
  }
  std::ostringstream out, err;
};

// Even sizes: the placement of an odd-sized picture at 100 % resamples it.
TEST_F(BatchIo, BmpRoundTripIsExact) {
  WriteBytes(Path("in.bmp"), PatternBmp(120, 100));
  ASSERT_EQ(Run("target-size 120 100\nopen " + Path("in.bmp") + "\nsave-as " + Path("out.bmp") + "\n"), 0)
      << err.str();
  EXPECT_EQ(ReadBytes(Path("out.bmp")), ReadBytes(Path("in.bmp")));
}

TEST_F(BatchIo, PngRoundTripIsExact) {
  WriteBytes(Path("in.bmp"), PatternBmp(130, 100));
  ASSERT_EQ(Run("target-size 130 100\nopen " + Path("in.bmp") + "\nsave-as " + Path("in.png") + " filter=3\n"), 0);
  ASSERT_EQ(Run("target-size 130 100\nopen " + Path("in.png") + "\nsave-as " + Path("out.png") + "\nsave-as " +
                Path("out.bmp") + "\n"),
            0)
      << err.str();
  EXPECT_EQ(ReadBytes(Path("out.png")), ReadBytes(Path("in.png")));
  EXPECT_EQ(ReadBytes(Path("out.bmp")), ReadBytes(Path("in.bmp")));
}

TEST_F(BatchIo, FullDocumentNeedsAReplaceAnswer) {
  WriteBytes(Path("a.bmp"), PatternBmp(10, 10));
  const std::string open = "open " + Path("a.bmp");
  EXPECT_EQ(Run(open + "\n" + open + "\n" + open + "\n"), batch::kExitCommandFailed);
  EXPECT_EQ(Run(open + "\n" + open + "\n" + open + " replace=0\nstate\n"), 0) << err.str();
  EXPECT_EQ(StateValue("SourceCount"), "2");
  EXPECT_EQ(Run("open " + Path("a.gif") + "\n"), batch::kExitCommandFailed);
  EXPECT_NE(err.str().find("wrimple: error: "), std::string::npos);
}

TEST_F(BatchIo, SaveBeforeSaveAsFails) {
  WriteBytes(Path("a.bmp"), PatternBmp(10, 10));
  EXPECT_EQ(Run("open " + Path("a.bmp") + "\nsave\n"), batch::kExitCommandFailed);
  EXPECT_EQ(Run("open " + Path("a.bmp") + "\nsave-as " + Path("s") + " filter=3\nnext-save\nnext-save\nsave\n"), 0)
      << err.str();
  for (const char* name : {"s.png", "s0001.png", "s0002.png"}) EXPECT_TRUE(std::filesystem::exists(Path(name))) << name;
}

TEST_F(BatchIo, TextWithTryTextAndFontOptions) {
  batch::SetTextDrawingFactory([] { return std::make_unique<CellTextDrawing>(); });
  const int status = Run("text \"ab\\ncd\" try=2 height=-8 color=255,0,0\nstate\n");
  batch::SetTextDrawingFactory(nullptr);
  ASSERT_EQ(status, 0) << err.str();
  EXPECT_EQ(StateValue("Source1.Kind"), "0");
  EXPECT_EQ(StateValue("Source1.Width"), "16");
  EXPECT_EQ(StateValue("Source1.Height"), "16");
}

TEST_F(BatchIo, PasteTakesTheBmpFilesBitmap) {
  WriteBytes(Path("c.bmp"), PatternBmp(12, 9));
  WriteBytes(Path("c.txt"), {'h', 'i'});
  ASSERT_EQ(Run("paste " + Path("c.bmp") + "\npaste " + Path("c.txt") + "\nstate\n"), 0) << err.str();
  EXPECT_EQ(StateValue("Source1.Kind"), "4");
  EXPECT_EQ(StateValue("Source1.Width"), "12");
  EXPECT_EQ(StateValue("SourceCount"), "1");
  EXPECT_NE(err.str().find("wrimple: info: Nothing on the clipboard."), std::string::npos);
}

TEST_F(BatchIo, CopyWritesTheClipboardBitmapAsBmp) {
  WriteBytes(Path("in.bmp"), PatternBmp(120, 100));
  ASSERT_EQ(Run("target-size 120 100\nopen " + Path("in.bmp") + "\nzone 10 10 40 30\ncopy " + Path("z.bmp") +
                " zone=yes\ncopy " + Path("w.bmp") + " zone=no\n"),
            0)
      << err.str();
  EXPECT_EQ(ReadBytes(Path("w.bmp")), ReadBytes(Path("in.bmp")));
  std::unique_ptr<ImageFileReader> zone = OpenImageFileReader(Path("z.bmp"));
  ASSERT_TRUE(zone);
  EXPECT_EQ(zone->width(), 30);
  EXPECT_EQ(zone->height(), 20);
}

TEST_F(BatchIo, BlankSourceAndTargetToSource) {
  ASSERT_EQ(Run("reference-color 200 120 60\nblank-source\ntarget-to-source 2\nstate\n"), 0) << err.str();
  EXPECT_EQ(StateValue("Source1.Kind"), "5");
  EXPECT_EQ(StateValue("Source2.Kind"), "1");
  EXPECT_EQ(StateValue("Source2.Width"), "1024");
}

}  // namespace
}  // namespace wrimple::testing
