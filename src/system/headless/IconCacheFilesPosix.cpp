// Icon cache file operations for the Linux build (tests, preview tool).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "app/TextUtil.h"
#include "system/headless/PosixFile.h"
#include "system/IconCache.h"

namespace orvane {
namespace {

class PosixIconCacheFiles final : public IconCacheFiles {
 public:
  std::optional<std::vector<std::uint8_t>> Read(const std::wstring& path, std::size_t maxBytes) override {
    PosixFileDescriptor file(::open(WideToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (info.st_size < 0 || static_cast<unsigned long long>(info.st_size) > maxBytes) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t got = ::read(file.get(), bytes.data() + done, bytes.size() - done);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;  // the file shrank under us: return what is there
      done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
  }

  bool CreateNew(const std::wstring& path, std::span<const std::uint8_t> bytes) override {
    const std::string native = WideToUtf8(path);
    PosixFileDescriptor file(::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (file.get() < 0) return false;
    bool ok = WriteAllToFile(file.get(), bytes.data(), bytes.size());
    if (!file.Close()) ok = false;
    if (!ok) ::unlink(native.c_str());
    return ok;
  }

  bool MoveReplacing(const std::wstring& from, const std::wstring& to) override {
    return std::rename(WideToUtf8(from).c_str(), WideToUtf8(to).c_str()) == 0;
  }

  void Remove(const std::wstring& path) override { ::unlink(WideToUtf8(path).c_str()); }
};

}  // namespace

IconCacheFiles& PlatformIconCacheFiles() {
  static PosixIconCacheFiles files;
  return files;
}

}  // namespace orvane
