#include <gtest/gtest.h>

#include <string>

#include "TestData.h"
#include "system/WeatherJ1.h"

namespace orvane {
namespace {

std::string Fixture(const char* name) {
  std::string bytes = ReadTestData(std::string("weather/") + name);
  EXPECT_FALSE(bytes.empty()) << name;
  return bytes;
}

WeatherSnapshot Parsed(std::wstring city, std::wstring description, std::wstring temperature, std::wstring feelsLike,
                       std::wstring highLow, std::wstring humidity, std::int32_t iconKind) {
  WeatherSnapshot s;
  s.valid = true;
  s.city = std::move(city);
  s.description = std::move(description);
  s.temperature = std::move(temperature);
  s.feelsLike = std::move(feelsLike);
  s.highLow = std::move(highLow);
  s.humidity = std::move(humidity);
  s.iconKind = iconKind;
  return s;
}

TEST(WeatherJ1Test, ParsesFixtures) {
  struct Case {
    const char* name;
    std::string body;
    std::wstring requestedCity;
    WeatherSnapshot expected;
  };
  const Case cases[] = {
      {"complete, located by the service", Fixture("complete.json"), L"",
       Parsed(L"Beijing", L"晴天", L"5", L"3", L"9° / -2°", L"40%", 0)},
      {"requested city names the result", Fixture("complete.json"), L"北京",
       Parsed(L"北京", L"晴天", L"5", L"3", L"9° / -2°", L"40%", 0)},
      // No Chinese text falls back to the English one; feels-like falls back
      // to the temperature, a missing code reads as 116.
      {"missing fields", Fixture("missing_fields.json"), L"",
       Parsed(L"本地天气", L"Light rain", L"12", L"12", L"--° / 8°", L"--%", 1)},
      // Numbers, null and wrongly shaped members all count as missing.
      {"wrong types", Fixture("wrong_types.json"), L"",
       Parsed(L"本地天气", L"多云", L"--", L"--", L"--° / 1°", L"--%", 1)},
      {"no forecast keeps the default range",
       R"({"current_condition":[{"temp_C":"20","weatherCode":"200"}]})", L"",
       Parsed(L"本地天气", L"多云", L"20", L"20", L"-- / --", L"--%", 4)},
      {"code with stray text reads its digits", R"({"current_condition":[{"weatherCode":" 338x"}]})", L"",
       Parsed(L"本地天气", L"多云", L"--", L"--", L"-- / --", L"--%", 3)},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseWeatherJ1(c.body, c.requestedCity), c.expected) << c.name;
}

TEST(WeatherJ1Test, AnswersWithoutCurrentConditionsGiveDefaults) {
  const char* bodies[] = {
      "",
      "<html>502 Bad Gateway</html>",
      R"({"current_condition":[{"temp_C":"5"})",  // cut off, as at the size ceiling
      R"([{"current_condition":[{"temp_C":"5"}]}])",
      R"({"current_condition":{"temp_C":"5"}})",
      R"({"current_condition":[]})",
      R"({"current_condition":["5"]})",
      R"({"nearest_area":[{"areaName":[{"value":"Beijing"}]}]})",
  };
  for (const char* body : bodies) EXPECT_EQ(ParseWeatherJ1(body, L"北京"), WeatherSnapshot{}) << body;
}

TEST(WeatherJ1Test, EncodesCityIntoThePath) {
  struct Case {
    std::wstring city;
    std::wstring path;
  };
  const Case cases[] = {
      {L"New York", L"/New%20York?format=j1&lang=zh-cn"},
      {L"北京", L"/%E5%8C%97%E4%BA%AC?format=j1&lang=zh-cn"},
      {L"St.~Ives", L"/St%2E%7EIves?format=j1&lang=zh-cn"},
      {L"Aa-Zz_09", L"/Aa-Zz_09?format=j1&lang=zh-cn"},
      {L"a/b?c&d=%", L"/a%2Fb%3Fc%26d%3D%25?format=j1&lang=zh-cn"},
      {L"", L"/?format=j1&lang=zh-cn"},
  };
  for (const Case& c : cases) EXPECT_EQ(WeatherRequestPath(c.city), c.path);
}

TEST(WeatherJ1Test, WeatherCodeToIcon) {
  constexpr int kSun = 0, kCloud = 1, kRain = 2, kSnow = 3, kThunder = 4;
  const std::pair<int, int> cases[] = {
      {113, kSun},     {116, kCloud},   {143, kCloud},   {0, kCloud},     {175, kCloud}, {176, kRain},
      {179, kSnow},    {200, kThunder}, {227, kSnow},    {230, kSnow},    {266, kRain},  {319, kRain},
      {320, kSnow},    {338, kSnow},    {339, kRain},    {353, kRain},    {368, kSnow},  {371, kSnow},
      {386, kThunder}, {389, kThunder}, {392, kThunder}, {395, kThunder}, {999, kRain},
  };
  for (const auto& [code, kind] : cases) EXPECT_EQ(WeatherIconKind(code), kind) << code;
}

}  // namespace
}  // namespace orvane
