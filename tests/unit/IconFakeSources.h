#pragma once
// Scripted icon sources for the extractor tests: files with write times,
// folders with file names, reparse data, packages, shortcuts and the picture
// each source yields. Every picture request is recorded in order.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/TextUtil.h"
#include "system/IconSources.h"

namespace orvane {

// A valid premultiplied w x h picture whose bytes depend on seed.
inline IconImage TestIcon(int width, int height, std::uint8_t seed) {
  IconImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<std::size_t>(width) * height * 4);
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
    const auto alpha = static_cast<std::uint8_t>((i / 4 * 37 + seed) % 256);
    image.pixels[i] = static_cast<std::uint8_t>(alpha * ((seed + i) % 256) / 255);
    image.pixels[i + 1] = static_cast<std::uint8_t>(alpha / 2);
    image.pixels[i + 2] = static_cast<std::uint8_t>(alpha * seed / 255);
    image.pixels[i + 3] = alpha;
  }
  return image;
}

// FSCTL_GET_REPARSE_POINT data: header with tag, version 3, then the
// strings as UTF-16LE, each NUL-terminated (the last one optionally not).
inline std::vector<std::uint8_t> ReparseBuffer(std::uint32_t tag, const std::vector<std::u16string>& strings,
                                        bool terminateLast = true) {
  std::vector<std::uint8_t> data = {static_cast<std::uint8_t>(tag), static_cast<std::uint8_t>(tag >> 8),
                                    static_cast<std::uint8_t>(tag >> 16), static_cast<std::uint8_t>(tag >> 24),
                                    0, 0, 0, 0,   // data length, reserved
                                    3, 0, 0, 0};  // version
  for (std::size_t i = 0; i < strings.size(); ++i) {
    for (const char16_t unit : strings[i]) {
      data.push_back(static_cast<std::uint8_t>(unit));
      data.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    if (terminateLast || i + 1 < strings.size()) data.insert(data.end(), {0, 0});
  }
  return data;
}

class FakeIconSources : public IconSources {
 public:
  std::map<std::wstring, std::wstring> environment;
  std::map<std::wstring, std::uint64_t> files;  // path -> last-write time
  std::map<std::wstring, std::vector<std::wstring>> folders;
  std::map<std::wstring, std::vector<std::uint8_t>> reparse;
  std::map<std::wstring, PackageLogoProperties> packages;
  std::map<std::wstring, std::uint64_t> packageStamps;  // by AUMID
  std::map<std::wstring, ShortcutIconSource> shortcuts;

  std::map<std::wstring, IconImage> imageFiles;
  std::map<std::wstring, IconImage> shellImages;
  std::map<std::pair<std::wstring, int>, IconImage> fileIcons;
  std::map<std::wstring, IconImage> jumboIcons;
  std::map<int, IconImage> stockIcons;
  std::optional<IconImage> stockApplication;
  std::map<WindowHandle, IconImage> windowIcons;

  std::vector<std::wstring> requests;  // picture requests, e.g. L"factory C:\\a.exe 128"

  std::wstring ExpandEnvironment(const std::wstring& text) override {
    return ExpandEnvironmentWith(text, [this](const std::wstring& name) -> std::optional<std::wstring> {
      const auto found = environment.find(name);
      if (found == environment.end()) return std::nullopt;
      return found->second;
    });
  }
  std::wstring LowerCase(std::wstring text) override {
    for (wchar_t& c : text) {
      if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    }
    return text;
  }
  // File names compare without regard to case, as on Windows.
  bool Exists(const std::wstring& path) override { return FindFile(path) != files.end() || folders.count(path) != 0; }
  bool IsFolder(const std::wstring& path) override { return folders.count(path) != 0; }
  std::optional<std::uint64_t> LastWriteTime(const std::wstring& path) override {
    const auto found = FindFile(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  }
  std::vector<std::wstring> FileNamesIn(const std::wstring& folder) override {
    const auto found = folders.find(folder);
    return found == folders.end() ? std::vector<std::wstring>{} : found->second;
  }
  std::optional<std::vector<std::uint8_t>> ReparseData(const std::wstring& path) override {
    const auto found = reparse.find(path);
    if (found == reparse.end()) return std::nullopt;
    return found->second;
  }
  PackageLogoProperties PackageLogo(const std::wstring& aumid) override {
    requests.push_back(L"package " + aumid);
    const auto found = packages.find(aumid);
    return found == packages.end() ? PackageLogoProperties{} : found->second;
  }
  std::optional<std::uint64_t> PackageStamp(const std::wstring& aumid) override {
    const auto found = packageStamps.find(aumid);
    if (found == packageStamps.end()) return std::nullopt;
    return found->second;
  }
  ShortcutIconSource ReadShortcut(const std::wstring& path) override {
    requests.push_back(L"shortcut " + path);
    const auto found = shortcuts.find(path);
    return found == shortcuts.end() ? ShortcutIconSource{} : found->second;
  }

  IconImage DecodeImageFile(const std::wstring& path) override {
    requests.push_back(L"decode " + path);
    return Lookup(imageFiles, path);
  }
  IconImage ShellItemImage(const std::wstring& path, unsigned size) override {
    requests.push_back(L"factory " + path + L" " + std::to_wstring(size));
    return Lookup(shellImages, path);
  }
  IconImage FileIcon(const std::wstring& path, int index, unsigned size) override {
    requests.push_back(L"fileicon " + path + L"#" + std::to_wstring(index) + L" " + std::to_wstring(size));
    return Lookup(fileIcons, std::pair<std::wstring, int>(path, index));
  }
  IconImage JumboIcon(const std::wstring& path, unsigned) override {
    requests.push_back(L"jumbo " + path);
    return Lookup(jumboIcons, path);
  }
  IconImage StockIcon(int stockId, unsigned) override {
    requests.push_back(L"stock " + std::to_wstring(stockId));
    return Lookup(stockIcons, stockId);
  }
  IconImage StockApplicationIcon(unsigned) override {
    requests.push_back(L"stockapp");
    return stockApplication.value_or(IconImage{});
  }
  IconImage WindowIcon(WindowHandle window, unsigned) override {
    requests.push_back(L"window " + std::to_wstring(window));
    return Lookup(windowIcons, window);
  }

 private:
  std::map<std::wstring, std::uint64_t>::const_iterator FindFile(const std::wstring& path) {
    const std::wstring lower = LowerCase(path);
    for (auto it = files.begin(); it != files.end(); ++it) {
      if (LowerCase(it->first) == lower) return it;
    }
    return files.end();
  }

  template <class Map, class Key>
  static IconImage Lookup(const Map& map, const Key& key) {
    const auto found = map.find(key);
    return found == map.end() ? IconImage{} : found->second;
  }
};

}  // namespace orvane
