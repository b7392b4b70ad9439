#include "io/codec_io_file.h"

namespace wrimple {

CodecIOFile::~CodecIOFile() { Close(); }

bool CodecIOFile::Open(const char* path, const char* mode) {
  if (stream_ != nullptr) return false;
  stream_ = std::fopen(path, mode);
  owned_ = stream_ != nullptr;
  return owned_;
}

bool CodecIOFile::Close() {
  bool closed = true;
  if (stream_ != nullptr && owned_) closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  owned_ = false;
  return closed;
}

std::size_t CodecIOFile::Read(void* buffer, std::size_t size, std::size_t count) {
  return stream_ != nullptr ? std::fread(buffer, size, count, stream_) : 0;
}

std::size_t CodecIOFile::Write(const void* buffer, std::size_t size, std::size_t count) {
  return stream_ != nullptr ? std::fwrite(buffer, size, count, stream_) : 0;
}

bool CodecIOFile::Seek(long offset, int origin) {
  return stream_ != nullptr && std::fseek(stream_, offset, origin) == 0;
}

long CodecIOFile::Tell() { return stream_ != nullptr ? std::ftell(stream_) : -1; }

long CodecIOFile::Size() {
  if (stream_ == nullptr) return -1;
  const long here = std::ftell(stream_);
  std::fseek(stream_, 0, SEEK_END);
  const long end = std::ftell(stream_);
  std::fseek(stream_, here, SEEK_SET);
  return end;
}

bool CodecIOFile::Flush() { return stream_ != nullptr && std::fflush(stream_) == 0; }

bool CodecIOFile::Eof() { return stream_ == nullptr || std::feof(stream_) != 0; }

long CodecIOFile::Error() { return stream_ != nullptr ? std::ferror(stream_) : -1; }

bool CodecIOFile::PutC(std::uint8_t byte) {
  return stream_ != nullptr && std::fputc(byte, stream_) != EOF;
}

long CodecIOFile::GetC() {
  if (stream_ == nullptr) return -1;
  const int c = std::getc(stream_);
  return c == EOF ? -1 : c;
}

char* CodecIOFile::GetS(char* buffer, int n) {
  return stream_ != nullptr ? std::fgets(buffer, n, stream_) : nullptr;
}

long CodecIOFile::Scanf(const char* format, void* output) {
  return stream_ != nullptr ? std::fscanf(stream_, format, output) : 0;
}

}  // namespace wrimple
