#include "system/WeatherJ1.h"

#include <climits>
#include <exception>

#include <nlohmann/json.hpp>

#include "app/TextUtil.h"
#include "app/Json.h"

namespace orvane {
namespace {

bool PassesUnencoded(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// The first element of array key in object, when it is an object.
const nlohmann::json* FirstObjectIn(const nlohmann::json& object, const char* key) {
  if (!object.is_object()) return nullptr;
  const auto it = object.find(key);
  if (it == object.end() || !it->is_array() || it->empty()) return nullptr;
  const nlohmann::json& first = it->front();
  return first.is_object() ? &first : nullptr;
}

// The "value" of the first element of array key, "" when there is none.
std::wstring FirstValueIn(const nlohmann::json& object, const char* key) {
  const nlohmann::json* first = FirstObjectIn(object, key);
  return first != nullptr ? JsonString(*first, "value", L"") : std::wstring();
}

// Leading decimal digits after optional blanks and sign, as the service's
// codes are digits in a string; anything else reads as 0. Clamped to int.
int LeadingInteger(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = value * 10 + (text[i] - L'0');
    if (value > INT_MAX) {
      value = INT_MAX;
      break;
    }
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

std::wstring EncodeWeatherCity(std::wstring_view city) { return PercentEncodeUtf8(city, PassesUnencoded); }

std::wstring WeatherRequestPath(std::wstring_view city) {
  return L"/" + EncodeWeatherCity(city) + L"?format=j1&lang=zh-cn";
}

std::int32_t WeatherIconKind(int n) {
  if (n == 113) return 0;
  if (n == 200 || n == 386 || n == 389 || n == 392 || n == 395) return 4;
  if (n == 179 || n == 227 || n == 230 || (n >= 320 && n <= 338) || n == 368 || n == 371) return 3;
  if (n < 176) return 1;
  return 2;
}

WeatherSnapshot ParseWeatherJ1(std::string_view body, std::wstring_view requestedCity) {
  WeatherSnapshot snapshot;
  try {
    const nlohmann::json root = ParseJsonDocument(body);
    const nlohmann::json* current = FirstObjectIn(root, "current_condition");
    if (current == nullptr) return WeatherSnapshot{};

    snapshot.temperature = JsonString(*current, "temp_C", L"--");
    snapshot.feelsLike = JsonString(*current, "FeelsLikeC", snapshot.temperature);
    snapshot.humidity = JsonString(*current, "humidity", L"--") + L"%";
    snapshot.iconKind = WeatherIconKind(LeadingInteger(JsonString(*current, "weatherCode", L"116")));
    if (std::wstring text = FirstValueIn(*current, "lang_zh-cn"); !text.empty()) {
      snapshot.description = std::move(text);
    } else if (std::wstring english = FirstValueIn(*current, "weatherDesc"); !english.empty()) {
      snapshot.description = std::move(english);
    }
    snapshot.valid = true;

    if (const nlohmann::json* area = FirstObjectIn(root, "nearest_area")) {
      if (std::wstring name = FirstValueIn(*area, "areaName"); !name.empty()) snapshot.city = std::move(name);
    }
    if (!requestedCity.empty()) snapshot.city = std::wstring(requestedCity);

    if (const nlohmann::json* today = FirstObjectIn(root, "weather")) {
      snapshot.highLow =
          JsonString(*today, "maxtempC", L"--") + L"° / " + JsonString(*today, "mintempC", L"--") + L"°";
    }
    return snapshot;
  } catch (const std::exception&) {
    return WeatherSnapshot{};  // out of memory on an absurd answer: no weather
  }
}

}  // namespace orvane
