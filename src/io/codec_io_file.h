// CodecFile over a C run-time file stream, either opened here (and closed
// here) or handed in by the caller (and left open).
#pragma once

#include <cstdio>

#include "io/codec_file.h"

namespace wrimple {

class CodecIOFile : public CodecFile {
 public:
  CodecIOFile() = default;
  explicit CodecIOFile(std::FILE* borrowed) : stream_(borrowed) {}
  ~CodecIOFile() override;
  CodecIOFile(const CodecIOFile&) = delete;
  CodecIOFile& operator=(const CodecIOFile&) = delete;

  // Opens `path` with an fopen mode; false when a stream is already attached
  // or the file cannot be opened.
  bool Open(const char* path, const char* mode);

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
  std::FILE* stream_ = nullptr;
  bool owned_ = false;
};

}  // namespace wrimple
