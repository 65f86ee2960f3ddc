#pragma once
// The weather widget's snapshot and the web service request and answer it
// comes from: the service answers "/<city>?format=j1&lang=zh-cn" with its
// "j1" JSON document (current conditions, nearest area, daily forecast).

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

struct WeatherSnapshot {
  bool valid = false;     // a successful fetch has been parsed
  bool fetching = false;  // a fetch is under way
  std::wstring city = L"本地天气";
  std::wstring description = L"多云";
  std::wstring temperature = L"--";  // degrees Celsius as text
  std::wstring feelsLike = L"--";
  std::wstring highLow = L"-- / --";
  std::wstring humidity = L"--%";
  std::int32_t iconKind = 1;  // 0 sun, 1 cloud with sun, 2 rain (and the rest), 3 snow, 4 thunder
  bool operator==(const WeatherSnapshot&) const = default;
};

// Chosen by us: a public service that speaks j1.
inline constexpr std::wstring_view kWeatherHost = L"wttr.in";

// The city as a path segment: its UTF-8 bytes, with everything except
// A-Z, a-z, 0-9, "-" and "_" written as "%XX" (upper-case hex).
std::wstring EncodeWeatherCity(std::wstring_view city);

// "/" + the encoded city + the j1 query; an empty city asks the service to
// locate the caller.
std::wstring WeatherRequestPath(std::wstring_view city);

// The picture for a j1 weather code.
std::int32_t WeatherIconKind(int weatherCode);

// A fresh snapshot read from a j1 body. Without usable current conditions
// (empty body, not JSON, fields missing) the defaults come back with valid
// false. Only JSON strings are read; any other type counts as missing. A
// non-empty requestedCity names the result instead of the service's area.
WeatherSnapshot ParseWeatherJ1(std::string_view body, std::wstring_view requestedCity);

}  // namespace orvane
