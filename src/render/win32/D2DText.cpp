#include "render/win32/D2DText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <map>
#include <mutex>
#include <string>

#include "render/FontFallback.h"

namespace orvane {
namespace {

DWRITE_TEXT_ALIGNMENT ToDWrite(TextAlignment alignment) {
  switch (alignment) {
    case TextAlignment::Trailing: return DWRITE_TEXT_ALIGNMENT_TRAILING;
    case TextAlignment::Center: return DWRITE_TEXT_ALIGNMENT_CENTER;
    case TextAlignment::Justified: return DWRITE_TEXT_ALIGNMENT_JUSTIFIED;
    case TextAlignment::Leading: break;
  }
  return DWRITE_TEXT_ALIGNMENT_LEADING;
}

DWRITE_PARAGRAPH_ALIGNMENT ToDWrite(ParagraphAlignment alignment) {
  switch (alignment) {
    case ParagraphAlignment::Far: return DWRITE_PARAGRAPH_ALIGNMENT_FAR;
    case ParagraphAlignment::Center: return DWRITE_PARAGRAPH_ALIGNMENT_CENTER;
    case ParagraphAlignment::Near: break;
  }
  return DWRITE_PARAGRAPH_ALIGNMENT_NEAR;
}

bool SameStyle(const TextStyle& a, const TextStyle& b) {
  return a.family == b.family && a.size == b.size && a.weight == b.weight && a.alignment == b.alignment &&
         a.paragraph == b.paragraph && a.wrap == b.wrap && a.ellipsis == b.ellipsis;
}

bool Bounded(float extent) { return extent > 0 && extent < FLT_MAX; }

std::wstring FamilyName(IDWriteFontFamily* family) {
  ComPtr<IDWriteLocalizedStrings> names;
  if (FAILED(family->GetFamilyNames(names.Put()))) return L"";
  UINT32 index = 0;
  BOOL exists = FALSE;
  if (FAILED(names->FindLocaleName(L"en-us", &index, &exists)) || !exists) index = 0;
  UINT32 length = 0;
  if (FAILED(names->GetStringLength(index, &length))) return L"";
  std::wstring name(length + 1, L'\0');
  if (FAILED(names->GetString(index, name.data(), length + 1))) return L"";
  name.resize(length);
  return name;
}

// The installed family that draws `requested`, looked up once per name.
std::wstring InstalledFamily(IDWriteFactory* dwrite, const std::wstring& requested) {
  static std::mutex mutex;
  static std::map<std::wstring, std::wstring> resolved;
  std::lock_guard<std::mutex> lock(mutex);
  if (auto it = resolved.find(requested); it != resolved.end()) return it->second;

  ComPtr<IDWriteFontCollection> fonts;
  if (FAILED(dwrite->GetSystemFontCollection(fonts.Put(), FALSE)) || !fonts) return requested;
  const auto installed = [&](const std::wstring& family) {
    UINT32 index = 0;
    BOOL exists = FALSE;
    return SUCCEEDED(fonts->FindFamilyName(family.c_str(), &index, &exists)) && exists;
  };
  std::wstring any;
  ComPtr<IDWriteFontFamily> first;
  if (fonts->GetFontFamilyCount() > 0 && SUCCEEDED(fonts->GetFontFamily(0, first.Put()))) any = FamilyName(first.Get());
  return resolved[requested] = ResolveFontFamily(requested, installed, any);
}

}  // namespace

ComPtr<IDWriteTextFormat> D2DText::Format(const TextStyle& style) {
  for (const auto& [key, format] : formats_) {
    if (SameStyle(key, style)) return format;
  }
  if (!(style.size > 0) || !std::isfinite(style.size)) return {};
  const std::wstring family = InstalledFamily(dwrite_.Get(), style.family);
  ComPtr<IDWriteTextFormat> format;
  if (FAILED(dwrite_->CreateTextFormat(
          family.c_str(), nullptr, static_cast<DWRITE_FONT_WEIGHT>(std::clamp(style.weight, 1, 999)),
          DWRITE_FONT_STYLE_NORMAL, DWRITE_FONT_STRETCH_NORMAL, style.size, style.locale.c_str(), format.Put()))) {
    return {};
  }
  format->SetTextAlignment(ToDWrite(style.alignment));
  format->SetParagraphAlignment(ToDWrite(style.paragraph));
  format->SetWordWrapping(style.wrap ? DWRITE_WORD_WRAPPING_WRAP : DWRITE_WORD_WRAPPING_NO_WRAP);
  if (style.ellipsis) {
    ComPtr<IDWriteInlineObject> sign;
    if (SUCCEEDED(dwrite_->CreateEllipsisTrimmingSign(format.Get(), sign.Put()))) {
      const DWRITE_TRIMMING trimming{DWRITE_TRIMMING_GRANULARITY_CHARACTER, 0, 0};
      format->SetTrimming(&trimming, sign.Get());
    }
  }
  formats_.emplace_back(style, format);
  return format;
}

ComPtr<IDWriteTextLayout> D2DText::Layout(std::wstring_view text, const TextStyle& style, float width, float height) {
  const ComPtr<IDWriteTextFormat> format = Format(style);
  if (!format) return {};
  const bool boundedWidth = Bounded(width), boundedHeight = Bounded(height);
  ComPtr<IDWriteTextLayout> layout;
  if (FAILED(dwrite_->CreateTextLayout(text.data(), static_cast<UINT32>(text.size()), format.Get(),
                                       boundedWidth ? width : 0.0f, boundedHeight ? height : 0.0f, layout.Put()))) {
    return {};
  }
  if (!boundedWidth) {
    // Nothing to align, wrap or trim against: one line per paragraph from the left.
    layout->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING);
    layout->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    const DWRITE_TRIMMING none{DWRITE_TRIMMING_GRANULARITY_NONE, 0, 0};
    layout->SetTrimming(&none, nullptr);
  }
  if (!boundedHeight) layout->SetParagraphAlignment(DWRITE_PARAGRAPH_ALIGNMENT_NEAR);
  return layout;
}

TextMetrics D2DText::Measure(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) {
  TextMetrics result;
  const auto layout = Layout(text, style, maxWidth, maxHeight);
  DWRITE_TEXT_METRICS metrics{};
  if (!layout || FAILED(layout->GetMetrics(&metrics))) return result;
  result.width = metrics.width;
  result.height = metrics.height;
  result.lineCount = static_cast<int>(metrics.lineCount);
  if (style.ellipsis && Bounded(maxWidth)) {
    // DirectWrite does not say whether it trimmed; the untrimmed layout
    // overflowing the box does.
    const DWRITE_TRIMMING none{DWRITE_TRIMMING_GRANULARITY_NONE, 0, 0};
    DWRITE_TEXT_METRICS untrimmed{};
    if (SUCCEEDED(layout->SetTrimming(&none, nullptr)) && SUCCEEDED(layout->GetMetrics(&untrimmed))) {
      constexpr float kSlack = 0.01f;
      result.trimmed = untrimmed.width > maxWidth + kSlack ||
                       (style.wrap && Bounded(maxHeight) && untrimmed.height > maxHeight + kSlack);
    }
  }
  return result;
}

}  // namespace orvane
