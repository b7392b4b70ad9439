// The runner's print command: a one-page PDF of the target.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

#include "batch/runner.h"

namespace wrimple {
namespace {

struct RunResult {
  int status;
  std::string err;
};

RunResult RunScript(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out, err;
  const int status = batch::RunBatch({"-"}, in, out, err);
  return {status, err.str()};
}

class PrintCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(qRgb(200, 30, 60));
    ASSERT_TRUE(picture.save(folder.filePath("picture.bmp"), "BMP"));
  }
  std::string Path(const char* name) { return folder.filePath(name).toStdString(); }
  QTemporaryDir folder;
};

TEST_F(PrintCommand, WritesAOnePagePdfOfTheTarget) {
  const RunResult r = RunScript("open " + Path("picture.bmp") + "\nprint " + Path("page.pdf") +
                                " layout=bottom page=letter orientation=landscape\n");
  EXPECT_EQ(r.status, 0) << r.err;
  QFile pdf(QString::fromStdString(Path("page.pdf")));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 1);
  // US letter across: 792 x 612 points.
  EXPECT_TRUE(bytes.contains("/MediaBox [0 0 792.000000 612.000000]"));
}

TEST_F(PrintCommand, IsUnavailableWithoutASource) {
  const RunResult r = RunScript("print " + Path("page.pdf") + "\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("print is not available now"), std::string::npos) << r.err;
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("page.pdf"))));
}

TEST_F(PrintCommand, RefusesAnUnknownLayoutBeforeRunning) {
  const RunResult r = RunScript("open " + Path("picture.bmp") + "\nprint " + Path("page.pdf") +
                                " layout=sideways\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("page.pdf"))));
}

TEST_F(PrintCommand, ReportsAPdfThatCannotBeWritten) {
  const RunResult r = RunScript("open " + Path("picture.bmp") + "\nprint " +
                                Path("missing-folder/page.pdf") + "\n");
  EXPECT_EQ(r.status, 2);
}

}  // namespace
}  // namespace wrimple
