// Temporary file, fsync, rename, fsync of the folder: after the rename the
// folder's entry must reach the disk too, or a power cut could bring the
// old entry back.
#include "tools/studio/document_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

// ".NAME.studio-XXXXXX": hidden, and named after the file it replaces.
std::string temporaryPrefix(const fs::path& target) { return "." + target.filename().string() + ".studio-"; }

bool failed(std::string* error, const std::string& path, const char* step) {
  *error = "cannot save " + path + ": " + step + ": " + std::strerror(errno);
  return false;
}

// Read from /proc rather than set and put back: umask() would change it
// for the server's other threads meanwhile.
mode_t processUmask() {
  FILE* status = std::fopen("/proc/self/status", "r");
  unsigned mask = 022;
  if (!status) return mask;
  char line[256];
  while (std::fgets(line, sizeof line, status))
    if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
  std::fclose(status);
  return mask;
}

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool saveFileAtomically(const std::string& path, const std::string& bytes, std::string* error,
                        const BeforeRename& beforeRename) {
  // A link to the document is kept a link: the file it names is replaced.
  std::error_code ec;
  const fs::path target = fs::is_symlink(path, ec) ? fs::canonical(path, ec) : fs::path(path);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string pattern = (folder / temporaryPrefix(target)).string() + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return failed(error, path, "cannot make a file in its folder");
  const std::string temporary = name.data();
  auto abandon = [&](const char* step) {
    int saved = errno;
    if (fd >= 0) close(fd);
    unlink(temporary.c_str());
    errno = saved;
    return failed(error, path, step);
  };

  // mkstemp makes the file readable by its owner only; the document keeps
  // the mode it had, and a new one gets what the umask gives a new file.
  struct stat old {};
  mode_t mode;
  if (stat(target.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    mode = 0666 & ~processUmask();
  }
  if (fchmod(fd, mode) != 0) return abandon("cannot set its permissions");
  if (!writeAll(fd, bytes)) return abandon("cannot write");
  if (fsync(fd) != 0) return abandon("cannot flush to disk");
  if (close(fd) != 0) {
    fd = -1;
    return abandon("cannot write");
  }
  fd = -1;
  if (beforeRename) beforeRename(temporary);
  if (rename(temporary.c_str(), target.c_str()) != 0) return abandon("cannot replace the file");
  int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (folderFd >= 0) {
    fsync(folderFd);  // best effort: some file systems refuse it on folders
    close(folderFd);
  }
  return true;
}

int removeInterruptedSaves(const std::string& path) {
  const fs::path target(path);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string prefix = temporaryPrefix(target);
  int removed = 0;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    // The prefix and mkstemp's six characters, nothing else.
    if (name.size() == prefix.size() + 6 && name.starts_with(prefix) && entry.is_regular_file(ec)) {
      if (fs::remove(entry.path(), ec)) ++removed;
    }
  }
  return removed;
}

bool readWholeFile(const std::string& path, std::string* bytes, bool* missing, std::string* error) {
  *missing = false;
  bytes->clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return *missing = true, true;
    *error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  char buffer[65536];
  while (true) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *error = "cannot read " + path + ": " + std::strerror(errno);
      close(fd);
      return false;
    }
    if (n == 0) break;
    bytes->append(buffer, static_cast<size_t>(n));
    // A preferences file is small; a huge one is refused, not read whole.
    if (bytes->size() > (16u << 20)) {
      *error = "cannot read " + path + ": it is larger than 16 MiB";
      close(fd);
      return false;
    }
  }
  close(fd);
  return true;
}
