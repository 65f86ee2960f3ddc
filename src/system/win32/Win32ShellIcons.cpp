// The picture sources of Win32IconSources.
#include "system/win32/Win32IconSources.h"

#include <commctrl.h>
#include <commoncontrols.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <limits>

#include "platform/win32/ComPtr.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemProc.h"
#include "system/win32/IconBitmapWin32.h"
#include "system/win32/WicPictureFile.h"

namespace orvane {
namespace {

// SHGetImageList is exported by ordinal only on older systems.
constexpr WORD kGetImageListOrdinal = 727;
constexpr UINT kWindowIconTimeoutMs = 120;

using GetImageListFn = HRESULT(WINAPI*)(int, REFIID, void**);

const OptionalProc<GetImageListFn> kImageListAccessor{L"shell32.dll", ProcName::Ordinal(kGetImageListOrdinal)};

// Converts and destroys an icon the caller owns.
IconImage TakeIcon(HICON icon, unsigned size) {
  const IconHandle owned(icon);
  if (!owned) return IconImage{};
  return ImageFromIcon(owned.Get(), size);
}

// The jumbo (256 px) system image list's icon at a system index.
IconImage JumboListIcon(int index, unsigned size) {
  const GetImageListFn accessor = kImageListAccessor.Get();
  if (accessor == nullptr || index < 0) return IconImage{};
  ComPtr<IImageList> list;
  if (FAILED(accessor(SHIL_JUMBO, __uuidof(IImageList), list.PutVoid())) || !list) return IconImage{};
  HICON icon = nullptr;
  if (FAILED(list->GetIcon(index, ILD_TRANSPARENT, &icon))) return IconImage{};
  return TakeIcon(icon, size);
}

HICON MessageIcon(HWND window, WPARAM which) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, WM_GETICON, which, 0, SMTO_ABORTIFHUNG, kWindowIconTimeoutMs, &result)) {
    return nullptr;
  }
  return reinterpret_cast<HICON>(result);
}

int SideOf(unsigned size) {
  return size > static_cast<unsigned>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                       : static_cast<int>(size);
}

}  // namespace

IconImage Win32IconSources::DecodeImageFile(const std::wstring& path) { return DecodePictureFile(path); }

IconImage Win32IconSources::ShellItemImage(const std::wstring& path, unsigned size) {
  ComPtr<IShellItemImageFactory> factory;
  if (FAILED(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_IShellItemImageFactory, factory.PutVoid()))) {
    return IconImage{};
  }
  const SIZE extent{SideOf(size), SideOf(size)};
  HBITMAP bitmap = nullptr;
  HRESULT hr = factory->GetImage(extent, SIIGBF_BIGGERSIZEOK | SIIGBF_ICONONLY, &bitmap);
  if (FAILED(hr) || bitmap == nullptr) hr = factory->GetImage(extent, SIIGBF_RESIZETOFIT, &bitmap);
  if (FAILED(hr) || bitmap == nullptr) return IconImage{};
  IconImage image = ImageFromShellBitmap(bitmap);
  DeleteObject(bitmap);
  return image;
}

IconImage Win32IconSources::FileIcon(const std::wstring& path, int index, unsigned size) {
  HICON icon = nullptr;
  UINT id = 0;
  const UINT count = PrivateExtractIconsW(path.c_str(), index, SideOf(size), SideOf(size), &icon, &id, 1, 0);
  if (count == 0 || count == 0xFFFFFFFF) {
    if (icon != nullptr) DestroyIcon(icon);
    return IconImage{};
  }
  return TakeIcon(icon, size);
}

IconImage Win32IconSources::JumboIcon(const std::wstring& path, unsigned size) {
  SHFILEINFOW info{};
  if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX) == 0) return IconImage{};
  return JumboListIcon(info.iIcon, size);
}

IconImage Win32IconSources::StockIcon(int stockId, unsigned size) {
  SHSTOCKICONINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(SHGetStockIconInfo(static_cast<SHSTOCKICONID>(stockId), SHGSI_SYSICONINDEX, &info))) return IconImage{};
  return JumboListIcon(info.iSysImageIndex, size);
}

IconImage Win32IconSources::StockApplicationIcon(unsigned size) {
  SHSTOCKICONINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(SHGetStockIconInfo(SIID_APPLICATION, SHGSI_ICON, &info))) return IconImage{};
  return TakeIcon(info.hIcon, size);
}

IconImage Win32IconSources::WindowIcon(WindowHandle window, unsigned size) {
  const HWND hwnd = reinterpret_cast<HWND>(window);
  if (hwnd == nullptr || !IsWindow(hwnd)) return IconImage{};
  // The window's icons belong to it: converted, never destroyed.
  HICON icon = MessageIcon(hwnd, ICON_BIG);
  if (icon == nullptr) icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON));
  if (icon == nullptr) icon = MessageIcon(hwnd, ICON_SMALL2);
  return ImageFromIcon(icon, size);
}

}  // namespace orvane
