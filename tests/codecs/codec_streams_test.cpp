// The byte streams: the same reads, seeks and line reads from a file and from
// memory, and the memory stream's own rules (growth, caller memory, no buffer).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "codec_bytes.h"
#include "io/codec_io_file.h"
#include "io/codec_mem_file.h"

namespace wrimple::testing {
namespace {

const Bytes kContent = {'a', 'b', '\n', 'c', 'd', 'e', 'f', 'g'};

struct StreamKind {
  const char* name;
  std::function<std::unique_ptr<CodecFile>(const Bytes&)> open;
};

std::unique_ptr<CodecFile> OpenFile(const Bytes& bytes) {
  std::FILE* f = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  // The stream is borrowed by the codec stream and closed with it here.
  struct Owning : CodecIOFile {
    explicit Owning(std::FILE* f) : CodecIOFile(f), f_(f) {}
    ~Owning() override { std::fclose(f_); }
    std::FILE* f_;
  };
  return std::make_unique<Owning>(f);
}

std::unique_ptr<CodecFile> OpenMemory(const Bytes& bytes) {
  return std::make_unique<CodecMemFile>(bytes.data(), bytes.size());
}

class CodecStreams : public ::testing::TestWithParam<StreamKind> {
 protected:
  std::unique_ptr<CodecFile> stream_ = GetParam().open(kContent);
};

TEST_P(CodecStreams, ReadReturnsWholeItemsUpToTheEnd) {
  std::uint8_t buffer[16] = {};
  EXPECT_EQ(stream_->Read(buffer, 3, 2), 2u);
  EXPECT_EQ(Bytes(buffer, buffer + 6), Bytes(kContent.begin(), kContent.begin() + 6));
  EXPECT_EQ(stream_->Read(buffer, 3, 2), 0u) << "2 bytes left, not one whole item of 3";
  EXPECT_EQ(Bytes(buffer, buffer + 2), (Bytes{'f', 'g'})) << "the part of an item is copied";
  EXPECT_EQ(stream_->GetC(), -1);
  EXPECT_TRUE(stream_->Eof());
}

TEST_P(CodecStreams, SeekTellAndSize) {
  EXPECT_EQ(stream_->Size(), 8);
  EXPECT_TRUE(stream_->Seek(-1, SEEK_END));
  EXPECT_EQ(stream_->Tell(), 7);
  EXPECT_EQ(stream_->GetC(), 'g');
  EXPECT_TRUE(stream_->Seek(-4, SEEK_CUR));
  EXPECT_EQ(stream_->GetC(), 'd');
  EXPECT_TRUE(stream_->Seek(1, SEEK_SET));
  EXPECT_EQ(stream_->GetC(), 'b');
  EXPECT_EQ(stream_->Size(), 8);
  EXPECT_EQ(stream_->Tell(), 2) << "size leaves the position alone";
  EXPECT_FALSE(stream_->Seek(0, 7));
  EXPECT_EQ(stream_->Error(), 0);
}

TEST_P(CodecStreams, GetLineStopsAfterALineFeed) {
  char line[8];
  ASSERT_NE(stream_->GetS(line, sizeof line), nullptr);
  EXPECT_STREQ(line, "ab\n");
  ASSERT_NE(stream_->GetS(line, 4), nullptr);
  EXPECT_STREQ(line, "cde");
  ASSERT_NE(stream_->GetS(line, sizeof line), nullptr);
  EXPECT_STREQ(line, "fg");
  EXPECT_EQ(stream_->GetS(line, sizeof line), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CodecStreams,
                         ::testing::Values(StreamKind{"File", OpenFile}, StreamKind{"Memory", OpenMemory}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodecMemFile, GrowsInSixtyFourKibiByteSteps) {
  CodecMemFile file;
  ASSERT_TRUE(file.Open());
  EXPECT_EQ(file.capacity(), 1u);
  EXPECT_EQ(file.Size(), 0);
  const Bytes block(70000, 9);
  EXPECT_EQ(file.Write(block.data(), 7, 10000), 10000u);
  EXPECT_EQ(file.capacity(), (70000u & ~0xffffu) + 0x10000u);
  EXPECT_EQ(file.Size(), 70000);
  EXPECT_TRUE(file.PutC(4));
  EXPECT_EQ(file.capacity(), 131072u);
  EXPECT_EQ(file.Tell(), 70001);
}

TEST(CodecMemFile, WritePastTheEndLeavesZerosInTheGap) {
  CodecMemFile file;
  ASSERT_TRUE(file.Open());
  ASSERT_TRUE(file.PutC(1));
  ASSERT_TRUE(file.Seek(4, SEEK_SET));
  EXPECT_EQ(file.Error(), 1) << "position past the size";
  ASSERT_TRUE(file.PutC(2));
  EXPECT_EQ(Bytes(file.data(), file.data() + file.Size()), (Bytes{1, 0, 0, 0, 2}));
}

TEST(CodecMemFile, CallerMemoryIsNeverChanged) {
  const Bytes memory = {1, 2, 3};
  CodecMemFile file(memory.data(), memory.size());
  ASSERT_TRUE(file.Seek(1, SEEK_SET));
  ASSERT_TRUE(file.PutC(9));
  EXPECT_EQ(memory, (Bytes{1, 2, 3}));
  EXPECT_EQ(Bytes(file.data(), file.data() + file.Size()), (Bytes{1, 9, 3}));
}

TEST(CodecMemFile, NegativeSeekStopsAtTheStart) {
  CodecMemFile file(kContent.data(), kContent.size());
  EXPECT_TRUE(file.Seek(-20, SEEK_END));
  EXPECT_EQ(file.Tell(), 0);
}

TEST(CodecMemFile, WithoutBuffer) {
  CodecMemFile file;
  std::uint8_t byte;
  EXPECT_EQ(file.Tell(), -1);
  EXPECT_EQ(file.Size(), -1);
  EXPECT_EQ(file.Error(), -1);
  EXPECT_TRUE(file.Eof());
  EXPECT_FALSE(file.Flush());
  EXPECT_FALSE(file.Seek(0, SEEK_SET));
  EXPECT_EQ(file.Read(&byte, 1, 1), 0u);
  EXPECT_EQ(file.GetC(), -1);
  EXPECT_EQ(file.Scanf("%d", &byte), 0);
  EXPECT_TRUE(file.Close());
}

TEST(CodecIOFile, WithoutStream) {
  CodecIOFile file;
  EXPECT_EQ(file.Tell(), -1);
  EXPECT_EQ(file.Size(), -1);
  EXPECT_EQ(file.Error(), -1);
  EXPECT_TRUE(file.Eof());
  EXPECT_FALSE(file.PutC(1));
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(file.Open("/nonexistent/folder/file", "rb"));
}

TEST(CodecIOFile, BorrowedStreamStaysOpenAndFormattedReadWorks) {
  std::FILE* f = std::tmpfile();
  std::fputs("42 x", f);
  std::rewind(f);
  {
    CodecIOFile file(f);
    int value = 0;
    EXPECT_EQ(file.Scanf("%d", &value), 1);
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(file.Close());
  }
  EXPECT_EQ(std::fgetc(f), ' ') << "the stream is still open";
  std::fclose(f);
}

}  // namespace
}  // namespace wrimple::testing
