#include "render/FontFallback.h"

namespace orvane {

std::wstring ResolveFontFamily(const std::wstring& requested,
                               const std::function<bool(const std::wstring&)>& installed,
                               const std::wstring& anyInstalled) {
  if (installed(requested)) return requested;
  // UI text is Simplified Chinese: fonts with its glyphs come first.
  static const wchar_t* const kFallbacks[] = {
      L"Microsoft YaHei UI", L"Microsoft YaHei", L"Noto Sans CJK SC", L"Source Han Sans SC",
      L"WenQuanYi Micro Hei", L"SimSun", L"Segoe UI", L"Tahoma", L"Arial", L"Liberation Sans", L"DejaVu Sans",
  };
  for (const wchar_t* family : kFallbacks) {
    if (installed(family)) return family;
  }
  return anyInstalled.empty() ? requested : anyInstalled;
}

}  // namespace orvane
