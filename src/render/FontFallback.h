#pragma once
// Which installed font family draws a requested one. Windows substitutes a
// missing family on its own, but other DirectWrite implementations (Wine)
// fail the layout instead, so the canvas picks an installed family first.

#include <functional>
#include <string>

namespace orvane {

// `requested` when installed; otherwise the first installed family of a
// fixed list of CJK-capable UI fonts and common sans-serif fonts; otherwise
// `anyInstalled` (empty: keep `requested` and let the platform decide).
std::wstring ResolveFontFamily(const std::wstring& requested,
                               const std::function<bool(const std::wstring&)>& installed,
                               const std::wstring& anyInstalled = L"");

}  // namespace orvane
