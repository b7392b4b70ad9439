#include <cstdio>
#include <vector>

#include "io/imaging.h"
#include "io/loading.h"
#include "io/messages.h"

namespace wrimple {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

long FileLength(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long length = std::ftell(file);
  return std::fseek(file, long(kFileHeaderSize), SEEK_SET) == 0 ? length : -1;
}

}  // namespace

// The help picture is kept as the file holds it after the 14-byte file header:
// information header, colour table, bits.
bool ReadHelpPicture(State& st, Platform& pf, const std::string& path) {
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  st.doc.help_picture.reset();
  unsigned char file_header[kFileHeaderSize];
  if (std::fread(file_header, 1, kFileHeaderSize, file.get()) == kFileHeaderSize &&
      file_header[0] == 'B' && file_header[1] == 'M') {
    const long length = FileLength(file.get());
    if (length >= long(kFileHeaderSize)) {
      std::vector<std::uint8_t> picture(std::size_t(length) - kFileHeaderSize);
      if (std::fread(picture.data(), 1, picture.size(), file.get()) == picture.size())
        st.doc.help_picture = std::move(picture);
    }
  }
  if (std::ferror(file.get())) {
    st.doc.help_picture.reset();
    pf.messages.ShowError(std::string(text::kFailedToOpenDocument) + "\n" + path);
    return false;
  }
  return st.doc.help_picture.has_value();
}

}  // namespace wrimple
