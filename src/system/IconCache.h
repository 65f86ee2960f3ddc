#pragma once
// The disk cache of icons: one PNG per request key in the cache directory.
//
// Writers never touch the final file: each write goes to a temporary file of
// its own in the same folder and is renamed over the final name in one
// step, so a reader (another thread, or another copy of the program sharing
// the folder) sees the old file or the new one, never a part of either.
// Two writers of one key each write a whole file; the last rename wins (a
// rename the system refuses is a failed write: the temporary file is
// removed and the entry stays as it was). A file that cannot be read or
// decoded, is cut short or holds a picture above 512 pixels is a miss; the
// caller extracts again and the save replaces it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "system/IconImage.h"
#include "system/PngCodec.h"

namespace orvane {

// An item file holds one entry's file name; anything longer is not one.
inline constexpr std::size_t kMaxCacheItemFileBytes = 64;
// Larger cached pictures are ignored.
inline constexpr int kMaxCachedIconSide = 512;
// Files above this size cannot hold a valid entry and are not read in full.
inline constexpr std::size_t kMaxCacheFileBytes = 8u << 20;

// The file operations the cache needs. Windows: CreateFileW and friends;
// Linux: POSIX. Every operation is safe to call from several threads.
class IconCacheFiles {
 public:
  virtual ~IconCacheFiles() = default;
  // The whole file; nullopt when it is missing, unreadable or above
  // maxBytes. Opening for reading must not stop another writer's rename.
  virtual std::optional<std::vector<std::uint8_t>> Read(const std::wstring& path, std::size_t maxBytes) = 0;
  // Creates a file that must not exist yet and writes every byte. On
  // failure a file this call created is removed again; an existing file is
  // left alone.
  virtual bool CreateNew(const std::wstring& path, std::span<const std::uint8_t> bytes) = 0;
  // Renames in one step, replacing an existing file.
  virtual bool MoveReplacing(const std::wstring& from, const std::wstring& to) = 0;
  virtual void Remove(const std::wstring& path) = 0;
};

// The platform's files (headless/IconCacheFilesPosix.cpp, win32/IconCacheFilesWin32.cpp).
IconCacheFiles& PlatformIconCacheFiles();

class IconCache {
 public:
  // Without a directory the process-wide CacheDirectory() is read on every
  // call (it is set at start-up, possibly after this object is made).
  IconCache(PngCodec& codec, IconCacheFiles& files, std::optional<std::wstring> directory = std::nullopt);

  std::wstring Directory() const;
  // IconCachePath in Directory(); "" when there is no directory.
  std::wstring PathFor(const std::wstring& key) const;

  // Empty on a miss.
  IconImage Load(const std::wstring& key);
  // Valid images only; failures are silent (the icon is extracted again
  // next time). With an item (IconCacheItem), the entry the item named before
  // is removed once this one is in place, and the item names this one.
  void Save(const std::wstring& key, const IconImage& image, const std::wstring& item = {});

 private:
  bool Replace(const std::wstring& path, std::span<const std::uint8_t> bytes);
  void Repoint(const std::wstring& directory, const std::wstring& item, const std::wstring& entryName);

  PngCodec& codec_;
  IconCacheFiles& files_;
  std::optional<std::wstring> directory_;
};

// A name no other writer uses at the same time: the final name plus a
// per-process random token, a per-process counter and ".tmp" (never ".png",
// so it is never taken for an entry).
std::wstring TemporaryCachePath(const std::wstring& finalPath);

}  // namespace orvane
