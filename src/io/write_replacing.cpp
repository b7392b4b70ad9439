#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "io/saving.h"

namespace wrimple {

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t cut = path.rfind('/');
  if (cut == std::string::npos) return ".";
  return cut == 0 ? "/" : path.substr(0, cut);
}

// The file a save replaces: through a symbolic link to the file it names.
std::string ResolvedTarget(const std::string& path) {
  std::error_code ignored;
  if (std::filesystem::is_symlink(path, ignored)) {
    const std::filesystem::path real = std::filesystem::canonical(path, ignored);
    if (!ignored) return real.string();
  }
  return path;
}

// A replaced file keeps its permissions; a new one gets the usual ones.
mode_t ModeFor(const std::string& path) {
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool WriteReplacing(const std::string& path,
                    const std::function<bool(const std::string& temporary)>& write) {
  const std::string target = ResolvedTarget(path);
  std::string pattern = FolderOf(target) + "/.wrimple-save-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return false;
  const bool prepared = ::fchmod(fd, ModeFor(target)) == 0;
  ::close(fd);
  const std::string temporary(name.data());
  if (prepared && write(temporary) && std::rename(temporary.c_str(), target.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

}  // namespace wrimple
