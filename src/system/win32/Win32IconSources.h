#pragma once
// Icon sources on Windows: files and text through kernel32/user32, store
// apps and shortcuts through shell items, pictures through the shell's
// image factory, icon resources, the system image list, stock icons, WIC
// and window icons. COM must be initialised on the calling thread.

#include <windows.h>

#include "system/IconSources.h"

namespace orvane {

class Win32IconSources final : public IconSources {
 public:
  // Win32IconSources.cpp
  std::wstring ExpandEnvironment(const std::wstring& text) override;
  std::wstring LowerCase(std::wstring text) override;
  bool Exists(const std::wstring& path) override;
  bool IsFolder(const std::wstring& path) override;
  std::optional<std::uint64_t> LastWriteTime(const std::wstring& path) override;
  std::vector<std::wstring> FileNamesIn(const std::wstring& folder) override;
  std::optional<std::vector<std::uint8_t>> ReparseData(const std::wstring& path) override;
  PackageLogoProperties PackageLogo(const std::wstring& aumid) override;
  std::optional<std::uint64_t> PackageStamp(const std::wstring& aumid) override;
  ShortcutIconSource ReadShortcut(const std::wstring& path) override;

  // Win32ShellIcons.cpp
  IconImage DecodeImageFile(const std::wstring& path) override;
  IconImage ShellItemImage(const std::wstring& path, unsigned size) override;
  IconImage FileIcon(const std::wstring& path, int index, unsigned size) override;
  IconImage JumboIcon(const std::wstring& path, unsigned size) override;
  IconImage StockIcon(int stockId, unsigned size) override;
  IconImage StockApplicationIcon(unsigned size) override;
  IconImage WindowIcon(WindowHandle window, unsigned size) override;
};

}  // namespace orvane
