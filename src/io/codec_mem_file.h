// CodecFile over a block of memory: either a buffer of its own that grows as
// it is written, or the caller's memory, which it reads and never frees or
// changes (the first write makes a private copy).
#pragma once

#include <cstddef>
#include <cstdint>

#include "io/codec_file.h"

namespace wrimple {

class CodecMemFile : public CodecFile {
 public:
  // No buffer yet: Open() or the first write makes one.
  CodecMemFile() = default;
  // Reads the caller's `size` bytes; they must outlive this stream.
  CodecMemFile(const std::uint8_t* memory, std::size_t size);
  ~CodecMemFile() override;
  CodecMemFile(const CodecMemFile&) = delete;
  CodecMemFile& operator=(const CodecMemFile&) = delete;

  // An empty buffer of its own (1 byte allocated, size 0); false when a buffer
  // exists already or memory is short.
  bool Open();

  // Makes room for `needed` bytes in a buffer of its own, so that a writer who
  // knows the size ahead saves the copies of growing step by step.
  bool Reserve(std::size_t needed);

  // The bytes written or read so far; nullptr without a buffer.
  const std::uint8_t* data() const { return data_; }
  std::size_t capacity() const { return capacity_; }

  bool Close() override;
  std::size_t Read(void* buffer, std::size_t size, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;
  bool Seek(long offset, int origin) override;
  long Tell() override;
  long Size() override;
  bool Flush() override;
  bool Eof() override;
  long Error() override;
  bool PutC(std::uint8_t byte) override;
  long GetC() override;
  char* GetS(char* buffer, int n) override;
  long Scanf(const char* format, void* output) override;

 private:
  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::size_t position_ = 0;
  bool owned_ = false;
};

}  // namespace wrimple
