// File and process calls of the notification database source on Linux.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "app/TextUtil.h"
#include "system/headless/PosixFile.h"
#include "system/notifications/NotificationDatabaseSource.h"

namespace orvane {
namespace {

class PosixNotificationFileOps final : public NotificationFileOps {
 public:
  bool Exists(const std::wstring& path) override {
    struct stat info {};
    if (::stat(WideToUtf8(path).c_str(), &info) == 0) return true;
    return errno != ENOENT && errno != ENOTDIR;
  }

  std::optional<FileStamp> Stamp(const std::wstring& path) override {
    struct stat info {};
    if (::stat(WideToUtf8(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
      return std::nullopt;
    }
    return FileStamp{static_cast<std::uint64_t>(info.st_size),
                     static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
  }

  bool Copy(const std::wstring& from, const std::wstring& to) override {
    PosixFileDescriptor source(::open(WideToUtf8(from).c_str(), O_RDONLY | O_CLOEXEC));
    if (source.get() < 0) return false;
    const std::string target = WideToUtf8(to);
    // The snapshot holds the user's notifications: readable by the user alone.
    PosixFileDescriptor copy(::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (copy.get() < 0) return false;
    char buffer[64 * 1024];
    bool ok = true;
    for (;;) {
      const ssize_t got = ::read(source.get(), buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) ok = false;
      if (got <= 0) break;
      if (!WriteAllToFile(copy.get(), buffer, static_cast<std::size_t>(got))) {
        ok = false;
        break;
      }
    }
    if (!copy.Close()) ok = false;
    if (!ok) ::unlink(target.c_str());
    return ok;
  }

  void Remove(const std::wstring& path) override { ::unlink(WideToUtf8(path).c_str()); }

  std::vector<std::wstring> FileNames(const std::wstring& folder) override {
    std::vector<std::wstring> names;
    DIR* dir = ::opendir(WideToUtf8(folder).c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = ::readdir(dir)) {
      if (entry->d_type == DT_DIR) continue;
      names.push_back(Utf8ToWide(entry->d_name));
    }
    ::closedir(dir);
    return names;
  }

  std::uint32_t CurrentProcessId() override { return static_cast<std::uint32_t>(::getpid()); }

  bool ProcessAlive(std::uint32_t processId) override {
    // Ids 0 and those beyond pid_t would name process groups or nothing.
    if (processId == 0 || processId > static_cast<std::uint32_t>(INT_MAX)) return false;
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
  }
};

}  // namespace

std::unique_ptr<NotificationFileOps> CreatePlatformNotificationFileOps() {
  return std::make_unique<PosixNotificationFileOps>();
}

}  // namespace orvane
