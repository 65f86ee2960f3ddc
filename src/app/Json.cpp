#include "app/Json.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "app/TextUtil.h"

namespace orvane {
namespace {

template <class Json>
const Json* FindMember(const Json& object, std::string_view key) {
  if (!object.is_object()) return nullptr;
  const auto it = object.find(key);
  return it == object.end() ? nullptr : &*it;
}

template <class Json>
std::wstring StringOf(const Json& object, std::string_view key, const std::wstring& fallback) {
  const Json* value = FindMember(object, key);
  if (value == nullptr || !value->is_string()) return fallback;
  return Utf8ToWide(value->template get_ref<const std::string&>());
}

template <class Json>
bool BoolOf(const Json& object, std::string_view key, bool fallback) {
  const Json* value = FindMember(object, key);
  if (value == nullptr || !value->is_boolean()) return fallback;
  return value->template get<bool>();
}

template <class Json>
float NumberOf(const Json& object, std::string_view key, float fallback, float minimum, float maximum) {
  const Json* value = FindMember(object, key);
  if (value == nullptr || !value->is_number()) return fallback;
  // Clamp while still in double: narrowing 1e300 to float first would overflow.
  const double number = value->template get<double>();
  if (std::isnan(number)) return fallback;
  if (number < minimum) return minimum;
  return static_cast<float>(std::min(number, static_cast<double>(maximum)));
}

// Deepest '[' / '{' nesting outside strings, stopping once past the limit.
// A cheap guard so no parser or later walk ever meets absurd recursion.
bool NestingWithinLimit(std::string_view text) {
  size_t depth = 0;
  bool inString = false;
  bool escaped = false;
  for (const char c : text) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
      continue;
    }
    if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxJsonDepth) return false;
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
  }
  return true;
}

}  // namespace

const nlohmann::json* JsonMember(const nlohmann::json& object, std::string_view key) {
  return FindMember(object, key);
}
const nlohmann::ordered_json* JsonMember(const nlohmann::ordered_json& object, std::string_view key) {
  return FindMember(object, key);
}

std::wstring JsonString(const nlohmann::json& object, std::string_view key, const std::wstring& fallback) {
  return StringOf(object, key, fallback);
}
std::wstring JsonString(const nlohmann::ordered_json& object, std::string_view key, const std::wstring& fallback) {
  return StringOf(object, key, fallback);
}
bool JsonBool(const nlohmann::json& object, std::string_view key, bool fallback) {
  return BoolOf(object, key, fallback);
}
bool JsonBool(const nlohmann::ordered_json& object, std::string_view key, bool fallback) {
  return BoolOf(object, key, fallback);
}
float JsonNumber(const nlohmann::json& object, std::string_view key, float fallback, float minimum, float maximum) {
  return NumberOf(object, key, fallback, minimum, maximum);
}
float JsonNumber(const nlohmann::ordered_json& object, std::string_view key, float fallback, float minimum,
                 float maximum) {
  return NumberOf(object, key, fallback, minimum, maximum);
}

nlohmann::json ParseJsonDocument(std::string_view bytes) {
  try {
    // The round trip turns every malformed UTF-8 sequence into U+FFFD, so a
    // stray byte in a note costs that character, not the whole file.
    const std::string text = WideToUtf8(Utf8ToWide(bytes));
    if (!NestingWithinLimit(text)) return nlohmann::json::value_t::discarded;
    return nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
  } catch (const std::exception&) {
    return nlohmann::json::value_t::discarded;  // out of memory on an absurd document: treated like any bad one
  }
}

}  // namespace orvane
