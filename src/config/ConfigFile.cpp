#include "config/ConfigFile.h"

#include <utility>

#include "app/DataDirs.h"
#include "app/Log.h"
#include "app/TextUtil.h"
#include "config/ConfigJson.h"

namespace orvane {

bool WriteFileAtomically(ConfigFileSystem& files, const std::wstring& path, std::string_view bytes) {
  // Same folder as the target, so the final move never crosses volumes.
  const std::wstring temporary = path + L".tmp";
  if (!files.WriteFlushed(temporary, bytes) || !files.MoveReplacing(temporary, path)) {
    files.Remove(temporary);
    return false;
  }
  return true;
}

ConfigStore::ConfigStore(std::wstring path, ConfigFileSystem& files, PinProbe probe)
    : path_(std::move(path)), files_(files), probe_(std::move(probe)) {}

DockConfig ConfigStore::Load() {
  pending_ = Pending::Nothing;
  badBytes_.clear();

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
      pending_ = Pending::Unreadable;
      return FirstRunDefaults(probe_);
    case FileReadStatus::Ok:
      break;
  }

  if (std::optional<DockConfig> parsed = ParseConfig(file.bytes, probe_)) return std::move(*parsed);
  Log(L"Config parse failed, falling back to default");
  pending_ = Pending::ParseFailed;
  badBytes_ = std::move(file.bytes);
  return FirstRunDefaults(probe_);
}

void ConfigStore::KeepBadFile() {
  std::string bytes;
  if (pending_ == Pending::ParseFailed) {
    bytes = std::move(badBytes_);
  } else {
    FileReadResult file = files_.Read(path_);
    if (file.status != FileReadStatus::Ok) return;  // still unreadable, or gone meanwhile
    bytes = std::move(file.bytes);
  }
  const std::wstring backup = BackupPath();
  if (WriteFileAtomically(files_, backup, bytes)) {
    Log(L"Config: kept unreadable file as %s", backup);
  } else {
    Log(L"Config: could not keep unreadable file as %s", backup);
  }
}

void ConfigStore::Save(const DockConfig& config) {
  const std::wstring folder = ParentDirectory(path_);
  if (!folder.empty()) files_.CreateFolders(folder);

  const std::string bytes = SerializeConfig(config);

  // Only the first save after a bad load: later saves replace our own file.
  if (pending_ != Pending::Nothing) {
    KeepBadFile();
    pending_ = Pending::Nothing;
    badBytes_.clear();
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
