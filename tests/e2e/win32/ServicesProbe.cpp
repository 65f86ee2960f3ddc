#include "ServicesProbe.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "app/TextUtil.h"
#include "system/FakeHttpClient.h"
#include "system/WeatherService.h"
#include "system/win32/Win32WeatherService.h"

namespace {

using namespace orvane;

void Line(const char* name, const std::wstring& value) {
  std::printf("%s=%s\n", name, WideToUtf8(value).c_str());
  std::fflush(stdout);
}

// Refreshes and waits for the fetch to end (at most 20 s).
bool FetchAndWait(WeatherService& service, const std::wstring& city) {
  service.Refresh(city, true);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    const WeatherSnapshot snapshot = service.Snapshot();
    if (!snapshot.fetching && snapshot.city == city) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

void Print(const char* prefix, const WeatherSnapshot& s) {
  const std::string p(prefix);
  Line((p + "-city").c_str(), s.city);
  Line((p + "-valid").c_str(), s.valid ? L"1" : L"0");
  Line((p + "-temperature").c_str(), s.temperature);
  Line((p + "-description").c_str(), s.description);
}

}  // namespace

int RunWeatherCitiesProbe(const wchar_t* j1File, const wchar_t* firstCity, const wchar_t* secondCity) {
  auto http = std::make_shared<FakeHttpClient>();
  http->ServeFile(WeatherRequestPath(firstCity), std::filesystem::path(j1File));
  WeatherServiceDeps deps = Win32WeatherServiceDeps();
  deps.http = http;
  WeatherService service(std::move(deps));
  const bool first = FetchAndWait(service, firstCity);
  Print("first", service.Snapshot());
  const bool second = FetchAndWait(service, secondCity);
  Print("second", service.Snapshot());
  return first && second ? 0 : 1;
}
