#include "io/codec_pcx_packing.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace wrimple {

namespace {

constexpr std::size_t kLongestRun = 63;
constexpr std::uint8_t kRunFlag = 192;

// Eight bytes are looked at as one machine word, byte i of the data in bits
// 8i .. 8i + 7, so that the lowest marked byte of a word is the first in memory.
static_assert(std::endian::native == std::endian::little);
constexpr std::size_t kWordBytes = 8;
constexpr std::uint64_t kLowBits = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

std::uint64_t LoadWord(const std::uint8_t* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Bit 7 of each byte of 192 or more (top two bits set): the bytes that read
// as a count.
std::uint64_t CountBytes(std::uint64_t word) { return word & (word << 1) & kHighBits; }

// Bit 7 of each zero byte. A borrow may also mark bytes above a zero byte, so
// only the lowest mark is exact, and that is the only one used.
std::uint64_t ZeroBytes(std::uint64_t word) { return (word - kLowBits) & ~word & kHighBits; }

// The position of the lowest marked byte.
std::size_t FirstMarked(std::uint64_t marks) { return std::size_t(std::countr_zero(marks)) / 8; }

// A value standing alone: itself, or a run of one when it would read as a
// count. Always stores two bytes, so that the choice needs no branch.
std::uint8_t* PutSingle(std::uint8_t value, std::uint8_t* out) {
  const bool reads_as_count = value >= kRunFlag;
  out[0] = reads_as_count ? std::uint8_t(kRunFlag + 1) : value;
  out[1] = value;
  return out + 1 + std::size_t(reads_as_count);
}

// The end of the run of values[start] within the first `count` values.
std::size_t RunEnd(const std::uint8_t* values, std::size_t start, std::size_t count) {
  const std::uint8_t value = values[start];
  std::size_t end = start + 1;
  const std::uint64_t repeated = value * kLowBits;
  while (count - end >= kWordBytes && LoadWord(values + end) == repeated) end += kWordBytes;
  while (end < count && values[end] == value) ++end;
  return end;
}

std::uint8_t* PutRun(std::uint8_t value, std::size_t length, std::uint8_t* out) {
  // Full runs go out as soon as the next equal value arrives, so only a run
  // of 1 to 63 is left for the end.
  for (; length > kLongestRun; length -= kLongestRun) {
    *out++ = kRunFlag + kLongestRun;
    *out++ = value;
  }
  if (length == 1) return PutSingle(value, out);
  *out++ = std::uint8_t(kRunFlag + length);
  *out++ = value;
  return out;
}

// Writes the values from `start` on that are runs of one, eight at a time,
// while eight more values and the one after them are there; returns where
// the first longer run starts, or where too few values are left.
std::size_t PutSingles(const std::uint8_t* values, std::size_t start, std::size_t count,
                       std::uint8_t*& out) {
  // Writing stays within the capacity: at most two bytes per value are
  // written, plus eight scratch bytes while nine values are still ahead.
  std::size_t i = start;
  while (count - i > kWordBytes) {
    const std::uint64_t word = LoadWord(values + i);
    const std::uint64_t repeats = ZeroBytes(word ^ LoadWord(values + i + 1));
    const std::size_t singles = repeats == 0 ? kWordBytes : FirstMarked(repeats);
    if (CountBytes(word) == 0) {
      std::memcpy(out, values + i, kWordBytes);
      out += singles;
    } else {
      for (std::size_t k = 0; k < singles; ++k) out = PutSingle(values[i + k], out);
    }
    i += singles;
    if (repeats != 0) break;
  }
  return i;
}

}  // namespace

std::size_t PcxPackPlaneRow(const std::uint8_t* values, std::size_t count, int trailing,
                            std::uint8_t* out) {
  std::uint8_t* next = out;
  for (std::size_t i = 0; i < count;) {
    i = PutSingles(values, i, count, next);
    if (i == count) break;
    const std::size_t end = RunEnd(values, i, count);
    next = PutRun(values[i], end - i, next);
    i = end;
  }
  if (trailing == -2) *next++ = 0;
  return std::size_t(next - out);
}

const char* PcxUnpacker::StartRun(std::uint8_t count_byte, std::uint8_t value) {
  const std::uint32_t count = count_byte & 63u;
  if (count > wanted_) return "repeat count spans end of image";
  wanted_ -= count;
  run_left_ = count;
  run_value_ = value;
  return nullptr;
}

std::uint8_t* PcxUnpacker::ContinueRun(std::uint8_t* out, std::uint8_t* out_end) {
  const std::size_t part = std::min<std::size_t>(std::size_t(out_end - out), run_left_);
  // Runs of one (bytes of 192 or more stored alone) are the most common.
  if (part == 1) {
    *out = run_value_;
  } else {
    std::memset(out, run_value_, part);
  }
  run_left_ -= std::uint32_t(part);
  return out + part;
}

const std::uint8_t* PcxUnpacker::UnpackBuffered(const std::uint8_t* next, const std::uint8_t* end,
                                                std::uint8_t*& out, std::uint8_t* out_end,
                                                const char*& error) {
  while (out < out_end && next < end) {
    // Bytes that stand for themselves, eight at a time while input and room
    // allow; the bytes copied after the first count are overwritten later.
    while (std::size_t(end - next) >= kWordBytes && std::size_t(out_end - out) >= kWordBytes) {
      const std::uint64_t counts = CountBytes(LoadWord(next));
      const std::size_t literals = counts == 0 ? kWordBytes : FirstMarked(counts);
      std::memcpy(out, next, kWordBytes);
      out += literals;
      next += literals;
      wanted_ -= literals;
      if (counts != 0) break;
    }
    if (out == out_end || next == end) break;
    const std::uint8_t byte = *next;
    if (byte < kRunFlag) {
      *out++ = byte;
      ++next;
      --wanted_;
      continue;
    }
    if (end - next < 2) break;
    next += 2;
    error = StartRun(byte, next[-1]);
    if (error != nullptr) break;
    out = ContinueRun(out, out_end);
  }
  return next;
}

const char* PcxUnpacker::Unpack(std::uint8_t* out, std::size_t size) {
  std::uint8_t* const out_end = out + size;
  out = ContinueRun(out, out_end);
  while (out < out_end) {
    const std::span<const std::uint8_t> buffered = in_.Buffered();
    if (buffered.empty()) return "corrupted PCX";
    const std::uint8_t* const begin = buffered.data();
    const std::uint8_t* const end = begin + buffered.size();
    const char* error = nullptr;
    const std::uint8_t* const next = UnpackBuffered(begin, end, out, out_end, error);
    in_.Consume(std::size_t(next - begin));
    if (error != nullptr) return error;
    if (out == out_end || next == end) continue;
    // A count is the last buffered byte: its value comes with the next block.
    const int count_byte = in_.GetByte();
    const int value = in_.GetByte();
    if (value < 0) return "corrupted PCX";
    if (const char* run_error = StartRun(std::uint8_t(count_byte), std::uint8_t(value))) return run_error;
    out = ContinueRun(out, out_end);
  }
  return nullptr;
}

}  // namespace wrimple
