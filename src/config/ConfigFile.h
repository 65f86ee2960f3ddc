#pragma once
// Loading and saving config.json.
//
// Loading never fails: a missing file gives the first-run defaults (and
// writes them), a file that exists but cannot be read or parsed gives the
// same defaults in memory and is left alone. Saving replaces the file
// atomically through "config.json.tmp", so a failed write never leaves a
// half-written file. After a bad load, the file as it is on disk at the next
// save is first copied to "config.json.bad"; while that copy cannot be made,
// saves leave the file alone and the settings live only in memory.

#include <string>
#include <string_view>

#include "config/ConfigDefaults.h"
#include "config/DockConfig.h"

namespace orvane {

enum class FileReadStatus { Ok, NotFound, Unreadable };

struct FileReadResult {
  FileReadStatus status = FileReadStatus::NotFound;
  std::string bytes;  // the whole file when status is Ok
};

// The few file operations the store needs. Windows: CreateFileW and friends;
// Linux: the C and filesystem libraries.
class ConfigFileSystem {
 public:
  virtual ~ConfigFileSystem() = default;
  // NotFound only when the file or its folder does not exist; any other
  // failure (locked, access denied, a folder in the way) is Unreadable.
  virtual FileReadResult Read(const std::wstring& path) = 0;
  // Creates the folder and its parents; an existing folder is success.
  virtual bool CreateFolders(const std::wstring& path) = 0;
  // Creates or truncates the file, writes every byte and flushes it to disk.
  virtual bool WriteFlushed(const std::wstring& path, std::string_view bytes) = 0;
  // Renames from over to in one step, replacing an existing file.
  virtual bool MoveReplacing(const std::wstring& from, const std::wstring& to) = 0;
  // Deletes a file; folders and missing files are left as they are.
  virtual void Remove(const std::wstring& path) = 0;
};

// The platform's file system (win32/ or headless/).
ConfigFileSystem& PlatformConfigFileSystem();

// path + ".tmp": where a save writes before it moves the file into place.
std::wstring TemporaryPathOf(const std::wstring& path);

// Writes path + ".tmp" and moves it over path. On failure the previous file
// is untouched and the temporary file is gone.
bool WriteFileAtomically(ConfigFileSystem& files, const std::wstring& path, std::string_view bytes);

// One configuration file. Not thread-safe: the UI thread owns it.
class ConfigStore {
 public:
  ConfigStore(std::wstring path, ConfigFileSystem& files, PinProbe probe);

  // Also removes a temporary file left by a save that was cut off.
  DockConfig Load();
  // Failures are logged only; the caller keeps its in-memory record.
  void Save(const DockConfig& config);

  const std::wstring& path() const { return path_; }
  std::wstring BackupPath() const { return path_ + L".bad"; }

 private:
  // Copies the file on disk to BackupPath(); true when there is nothing
  // left to lose (copied, or no file any more).
  bool KeepFileOnDisk();

  std::wstring path_;
  ConfigFileSystem& files_;
  PinProbe probe_;
  // The last load could not use the file: the next save keeps a copy first.
  bool keepBeforeSave_ = false;
};

// The process-wide file: JoinPath(RoamingDataDirectory(), "config.json").
std::wstring ConfigPath();
// Through one process-wide store on the platform file system.
DockConfig LoadConfig();
void SaveConfig(const DockConfig& config);

}  // namespace orvane
