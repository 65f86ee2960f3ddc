#include "system/IconCache.h"

#include <atomic>
#include <random>
#include <utility>

#include "app/DataDirs.h"
#include "app/Format.h"
#include "app/TextUtil.h"
#include "system/IconCacheKey.h"

namespace orvane {
namespace {

std::uint64_t ProcessToken() {
  static const std::uint64_t token = [] {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
  }();
  return token;
}

}  // namespace

std::wstring TemporaryCachePath(const std::wstring& finalPath) {
  static std::atomic<std::uint64_t> counter{0};
  return finalPath + FormatWide(L".%016llx-%llu.tmp", ProcessToken(), counter.fetch_add(1) + 1);
}

IconCache::IconCache(PngCodec& codec, IconCacheFiles& files, std::optional<std::wstring> directory)
    : codec_(codec), files_(files), directory_(std::move(directory)) {}

std::wstring IconCache::Directory() const { return directory_ ? *directory_ : CacheDirectory(); }

std::wstring IconCache::PathFor(const std::wstring& key) const { return IconCachePath(Directory(), key); }

IconImage IconCache::Load(const std::wstring& key) {
  const std::wstring path = PathFor(key);
  if (path.empty()) return IconImage{};
  const std::optional<std::vector<std::uint8_t>> bytes = files_.Read(path, kMaxCacheFileBytes);
  if (!bytes) return IconImage{};
  return codec_.Decode(*bytes, kMaxCachedIconSide);
}

void IconCache::Save(const std::wstring& key, const IconImage& image, const std::wstring& item) {
  if (image.empty()) return;
  const std::wstring directory = Directory();
  const std::wstring path = IconCachePath(directory, key);
  if (path.empty()) return;
  const std::vector<std::uint8_t> png = codec_.Encode(image);
  if (png.empty()) return;
  if (!Replace(path, png)) return;
  if (!item.empty()) Repoint(directory, item, IconCacheFileName(key));
}

bool IconCache::Replace(const std::wstring& path, std::span<const std::uint8_t> bytes) {
  const std::wstring temporary = TemporaryCachePath(path);
  if (!files_.CreateNew(temporary, bytes)) return false;
  if (files_.MoveReplacing(temporary, path)) return true;
  files_.Remove(temporary);
  return false;
}

void IconCache::Repoint(const std::wstring& directory, const std::wstring& item, const std::wstring& entryName) {
  const std::wstring itemPath = JoinPath(directory, IconCacheItemFileName(item));
  if (const auto previous = files_.Read(itemPath, kMaxCacheItemFileBytes)) {
    const std::string name(previous->begin(), previous->end());
    // Only a name this cache gives is removed: the file is read back from
    // disk and must never steer a deletion elsewhere.
    if (IsIconCacheFileName(name) && Utf8ToWide(name) != entryName) files_.Remove(JoinPath(directory, Utf8ToWide(name)));
  }
  const std::string name = WideToUtf8(entryName);
  Replace(itemPath, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(name.data()), name.size()));
}

}  // namespace orvane

