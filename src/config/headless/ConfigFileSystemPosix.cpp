// config.json file operations for the Linux build (tests, preview tool).
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/TextUtil.h"
#include "config/ConfigFile.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

fs::path Native(const std::wstring& path) { return fs::path(WideToUtf8(path)); }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

class PosixConfigFileSystem final : public ConfigFileSystem {
 public:
  FileReadResult Read(const std::wstring& path) override {
    const fs::path native = Native(path);
    FilePtr file(std::fopen(native.c_str(), "rb"));
    if (!file) {
      const bool missing = errno == ENOENT || errno == ENOTDIR;
      return {missing ? FileReadStatus::NotFound : FileReadStatus::Unreadable, {}};
    }
    std::error_code ec;
    if (fs::is_directory(native, ec)) return {FileReadStatus::Unreadable, {}};

    FileReadResult result{FileReadStatus::Ok, {}};
    char buffer[64 * 1024];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) result.bytes.append(buffer, got);
    if (std::ferror(file.get())) return {FileReadStatus::Unreadable, {}};
    return result;
  }

  bool CreateFolders(const std::wstring& path) override {
    std::error_code ec;
    fs::create_directories(Native(path), ec);
    return fs::is_directory(Native(path), ec);
  }

  bool WriteFlushed(const std::wstring& path, std::string_view bytes) override {
    FILE* raw = std::fopen(Native(path).c_str(), "wb");
    if (raw == nullptr) return false;
    FilePtr file(raw);
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), raw) != bytes.size()) return false;
    if (std::fflush(raw) != 0 || ::fsync(::fileno(raw)) != 0) return false;
    return std::fclose(file.release()) == 0;
  }

  bool MoveReplacing(const std::wstring& from, const std::wstring& to) override {
    std::error_code ec;
    fs::rename(Native(from), Native(to), ec);
    return !ec;
  }

  void Remove(const std::wstring& path) override {
    std::error_code ec;
    const fs::path native = Native(path);
    if (fs::is_directory(fs::symlink_status(native, ec))) return;
    fs::remove(native, ec);
  }
};

}  // namespace

ConfigFileSystem& PlatformConfigFileSystem() {
  static PosixConfigFileSystem files;
  return files;
}

}  // namespace orvane
