#include "config/ConfigFile.h"

#include <utility>

#include "app/DataDirs.h"
#include "app/Log.h"
#include "app/TextUtil.h"
#include "config/ConfigJson.h"

namespace orvane {

std::wstring TemporaryPathOf(const std::wstring& path) { return path + L".tmp"; }

bool WriteFileAtomically(ConfigFileSystem& files, const std::wstring& path, std::string_view bytes) {
  // Same folder as the target, so the final move never crosses volumes.
  const std::wstring temporary = TemporaryPathOf(path);
  if (!files.WriteFlushed(temporary, bytes) || !files.MoveReplacing(temporary, path)) {
    files.Remove(temporary);
    return false;
  }
  return true;
}

ConfigStore::ConfigStore(std::wstring path, ConfigFileSystem& files, PinProbe probe)
    : path_(std::move(path)), files_(files), probe_(std::move(probe)) {}

DockConfig ConfigStore::Load() {
  keepBeforeSave_ = false;

  // Left by a save that was cut off before its move; the file itself is whole.
  files_.Remove(TemporaryPathOf(path_));
  files_.Remove(TemporaryPathOf(BackupPath()));

  FileReadResult file = files_.Read(path_);
  switch (file.status) {
    case FileReadStatus::NotFound: {
      DockConfig config = FirstRunDefaults(probe_);
      Save(config);
      return config;
    }
    case FileReadStatus::Unreadable:
      // Locked or access denied: the file may be fine, so it is not
      // overwritten with defaults here.
      Log(L"Config: cannot read %s, using defaults", path_);
      keepBeforeSave_ = true;
      return FirstRunDefaults(probe_);
    case FileReadStatus::Ok:
      break;
  }

  if (std::optional<DockConfig> parsed = ParseConfig(file.bytes, probe_)) return std::move(*parsed);
  Log(L"Config parse failed, falling back to default");
  keepBeforeSave_ = true;
  return FirstRunDefaults(probe_);
}

bool ConfigStore::KeepFileOnDisk() {
  // What is on disk now, not what the load saw: the user may have edited it since.
  FileReadResult file = files_.Read(path_);
  if (file.status == FileReadStatus::NotFound) return true;  // gone meanwhile: nothing to lose
  const std::wstring backup = BackupPath();
  if (file.status == FileReadStatus::Ok && WriteFileAtomically(files_, backup, file.bytes)) {
    Log(L"Config: kept unreadable file as %s", backup);
    return true;
  }
  Log(L"Config: could not keep unreadable file as %s", backup);
  return false;
}

void ConfigStore::Save(const DockConfig& config) {
  const std::wstring folder = ParentDirectory(path_);
  if (!folder.empty()) files_.CreateFolders(folder);

  const std::string bytes = SerializeConfig(config);

  // Only after a bad load, and only until the copy succeeds: later saves
  // replace our own file.
  if (keepBeforeSave_) {
    if (!KeepFileOnDisk()) {
      Log(L"Config: %s left as it is, settings kept in memory", path_);
      return;
    }
    keepBeforeSave_ = false;
  }

  if (!WriteFileAtomically(files_, path_, bytes)) Log(L"Config: could not write %s", path_);
}

std::wstring ConfigPath() { return JoinPath(RoamingDataDirectory(), L"config.json"); }

namespace {

ConfigStore& ProcessStore() {
  static ConfigStore store(ConfigPath(), PlatformConfigFileSystem(), ProcessPinProbe());
  return store;
}

}  // namespace

DockConfig LoadConfig() { return ProcessStore().Load(); }

void SaveConfig(const DockConfig& config) { ProcessStore().Save(config); }

}  // namespace orvane
