#pragma once
// The small JSON helpers shared by every reader of JSON from outside the
// program: config.json, the weather service and the lyrics service.

#include <cstddef>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace orvane {

// The member `key` of a JSON object; null when the value is not an object or
// has no such member.
const nlohmann::json* JsonMember(const nlohmann::json& object, std::string_view key);
const nlohmann::ordered_json* JsonMember(const nlohmann::ordered_json& object, std::string_view key);

// Accessors on a JSON object. Each returns the fallback when the value is not
// an object, the key is missing or the value has another JSON type; nothing
// is ever converted between types (the number 1 is not true, "60" is not 60).
std::wstring JsonString(const nlohmann::json& object, std::string_view key, const std::wstring& fallback);
std::wstring JsonString(const nlohmann::ordered_json& object, std::string_view key, const std::wstring& fallback);
bool JsonBool(const nlohmann::json& object, std::string_view key, bool fallback);
bool JsonBool(const nlohmann::ordered_json& object, std::string_view key, bool fallback);
// A number is clamped to [minimum, maximum]; the fallback is returned as is.
float JsonNumber(const nlohmann::json& object, std::string_view key, float fallback, float minimum, float maximum);
float JsonNumber(const nlohmann::ordered_json& object, std::string_view key, float fallback, float minimum,
                 float maximum);

// Documents nested deeper than this are refused rather than parsed.
inline constexpr size_t kMaxJsonDepth = 512;

// Parses a UTF-8 document from outside (a file, a web service). Malformed
// UTF-8 reads as U+FFFD; bytes that are not JSON, a document nested deeper
// than kMaxJsonDepth or running out of memory give a discarded value
// (is_discarded()). Never throws.
nlohmann::json ParseJsonDocument(std::string_view bytes);

}  // namespace orvane
