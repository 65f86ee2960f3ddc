// fuzz-sources: src/system/WeatherJ1.cpp src/app/Json.cpp src/app/TextUtil.cpp src/app/headless/EnvironmentPosix.cpp
// Any bytes may come back from the weather service. Besides not crashing,
// the parser must keep its promises: nothing or a complete snapshot, the
// requested city winning, an icon the widget can draw, and a request path
// that carries only unreserved characters and escapes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/TextUtil.h"
#include "system/WeatherJ1.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

bool EndsWith(const std::wstring& text, std::wstring_view suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  const std::string_view body(reinterpret_cast<const char*>(data), size);

  const WeatherSnapshot located = ParseWeatherJ1(body, L"");
  const WeatherSnapshot named = ParseWeatherJ1(body, L"北京");
  Require(located.valid == named.valid);
  Require(!located.fetching && !named.fetching);
  if (!located.valid) {
    Require(located == WeatherSnapshot{} && named == WeatherSnapshot{});
  } else {
    Require(named.city == L"北京");
    Require(located.iconKind >= 0 && located.iconKind <= 4);
    Require(EndsWith(located.humidity, L"%"));
  }

  const std::wstring path = WeatherRequestPath(Utf8ToWide(body));
  Require(EndsWith(path, L"?format=j1&lang=zh-cn") && path.front() == L'/');
  for (const wchar_t c : std::wstring_view(path).substr(1, path.size() - 22)) {
    Require((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'-' ||
            c == L'_' || c == L'%');
  }
  return 0;
}
