#include "system/headless/HeadlessIconSources.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "app/TextUtil.h"
#include "system/FallbackIcon.h"
#include "system/IconCacheKey.h"
#include "system/PngCodec.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

// Seconds from 1601-01-01 (FILETIME's epoch) to 1970-01-01.
constexpr std::uint64_t kFileTimeEpochOffset = 11644473600ull;
constexpr unsigned kJumboSize = 256;
constexpr unsigned kLargeShellIconSize = 32;
// SHSTOCKICONID runs from 0 to SIID_MAX_ICONS - 1.
constexpr int kStockIconCount = 181;
constexpr int kMaxDecodedSide = 4096;
constexpr std::uintmax_t kMaxImageFileBytes = 64u << 20;

fs::path Native(const std::wstring& path) { return fs::path(WideToUtf8(path)); }

// What CharLowerBuffW does for the scripts file names here use: ASCII,
// Latin-1, Greek and Cyrillic capitals.
wchar_t LowerChar(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
      (c >= 0x410 && c <= 0x42F)) {
    return static_cast<wchar_t>(c + 32);
  }
  if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 80);
  return c;
}

std::wstring FileName(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring Extension(const std::wstring& lowerPath) {
  const std::wstring name = FileName(lowerPath);
  const std::size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

}  // namespace

IconImage HeadlessShellIcon(const std::wstring& lowerName, unsigned size) {
  const std::uint64_t hash = HashIconCacheKey(lowerName);
  // Mid-range channels keep every generated icon visible on dark and light.
  const auto channel = [hash](int shift) { return static_cast<std::uint8_t>(60 + ((hash >> shift) & 0xFF) * 160 / 255); };
  return DrawRoundedSquareIcon(size, channel(0), channel(8), channel(16), 255);
}

void HeadlessIconSources::RegisterPackage(const std::wstring& aumid, PackageLogoProperties properties) {
  packages_[LowerCase(aumid)] = std::move(properties);
}

std::wstring HeadlessIconSources::ExpandEnvironment(const std::wstring& text) { return orvane::ExpandEnvironment(text); }

std::wstring HeadlessIconSources::LowerCase(std::wstring text) {
  for (wchar_t& c : text) c = LowerChar(c);
  return text;
}

bool HeadlessIconSources::Exists(const std::wstring& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(Native(path), ec);
}

bool HeadlessIconSources::IsFolder(const std::wstring& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(Native(path), ec);
}

std::optional<std::uint64_t> HeadlessIconSources::LastWriteTime(const std::wstring& path) {
  struct stat info {};
  if (path.empty() || ::stat(WideToUtf8(path).c_str(), &info) != 0) return std::nullopt;
  const auto seconds = static_cast<std::uint64_t>(info.st_mtim.tv_sec) + kFileTimeEpochOffset;
  return seconds * 10'000'000ull + static_cast<std::uint64_t>(info.st_mtim.tv_nsec) / 100;
}

std::vector<std::wstring> HeadlessIconSources::FileNamesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  std::error_code ec;
  for (fs::directory_iterator it(Native(folder), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError)) names.push_back(Utf8ToWide(it->path().filename().string()));
  }
  return names;
}

std::optional<std::vector<std::uint8_t>> HeadlessIconSources::ReparseData(const std::wstring&) { return std::nullopt; }

PackageLogoProperties HeadlessIconSources::PackageLogo(const std::wstring& aumid) {
  const auto found = packages_.find(LowerCase(aumid));
  return found == packages_.end() ? PackageLogoProperties{} : found->second;
}

std::optional<std::uint64_t> HeadlessIconSources::PackageStamp(const std::wstring& aumid) {
  const std::wstring installPath = PackageLogo(aumid).installPath;
  if (installPath.empty()) return std::nullopt;
  return LastWriteTime(installPath);
}

ShortcutIconSource HeadlessIconSources::ReadShortcut(const std::wstring& path) {
  std::error_code ec;
  const fs::path target = fs::read_symlink(Native(path), ec);
  if (ec) return {};
  fs::path resolved = target.is_absolute() ? target : Native(path).parent_path() / target;
  return ShortcutIconSource{{}, 0, Utf8ToWide(resolved.string())};
}

IconImage HeadlessIconSources::DecodeImageFile(const std::wstring& path) {
  std::error_code ec;
  const fs::path native = Native(path);
  if (!fs::is_regular_file(native, ec) || fs::file_size(native, ec) > kMaxImageFileBytes || ec) return IconImage{};
  std::ifstream file(native, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return PlatformPngCodec().Decode(bytes, kMaxDecodedSide);
}

IconImage HeadlessIconSources::ShellItemImage(const std::wstring& path, unsigned size) {
  if (!Exists(path)) return IconImage{};
  return HeadlessShellIcon(LowerCase(FileName(path)), size);
}

IconImage HeadlessIconSources::FileIcon(const std::wstring& path, int index, unsigned size) {
  std::error_code ec;
  if (!fs::is_regular_file(Native(path), ec)) return IconImage{};
  const std::wstring lower = LowerCase(path);
  const std::wstring extension = Extension(lower);
  if (extension != L".exe" && extension != L".dll" && extension != L".ico") return IconImage{};
  // Only the first icon of a file looks like the shell's picture of it.
  const std::wstring name = LowerCase(FileName(path));
  return HeadlessShellIcon(index == 0 ? name : name + L"#" + std::to_wstring(index), size);
}

IconImage HeadlessIconSources::JumboIcon(const std::wstring& path, unsigned) {
  if (!Exists(path)) return IconImage{};
  return HeadlessShellIcon(LowerCase(FileName(path)), kJumboSize);
}

IconImage HeadlessIconSources::StockIcon(int stockId, unsigned) {
  if (stockId < 0 || stockId >= kStockIconCount) return IconImage{};
  return HeadlessShellIcon(L"stock:" + std::to_wstring(stockId), kJumboSize);
}

IconImage HeadlessIconSources::StockApplicationIcon(unsigned) {
  return HeadlessShellIcon(L"stock:" + std::to_wstring(kStockIconApplication), kLargeShellIconSize);
}

IconImage HeadlessIconSources::WindowIcon(WindowHandle, unsigned) { return IconImage{}; }

IconSources& PlatformIconSources() {
  static HeadlessIconSources sources;
  return sources;
}

}  // namespace orvane
