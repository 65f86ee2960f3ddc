#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "app/DataDirs.h"
#include "app/TextUtil.h"

namespace orvane {
namespace {

const std::wstring kSep(1, kPathSeparator);

TEST(DataDirsTest, JoinPathNeverDoublesASeparator) {
  const struct {
    std::wstring dir, leaf, joined;
  } cases[] = {
      {L"base", L"logs", L"base" + kSep + L"logs"},
      {L"base" + kSep, L"logs", L"base" + kSep + L"logs"},
      {L"base", kSep + L"logs", L"base" + kSep + L"logs"},
      {L"base/", L"logs", L"base/logs"},
      // A failed known-folder lookup leaves a root-relative path.
      {L"", L"Orvane", kSep + L"Orvane"},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinPath(c.dir, c.leaf), c.joined) << c.dir << " + " << c.leaf;
}

TEST(DataDirsTest, OverrideRule) {
  const struct {
    const char* label;
    std::optional<std::wstring> override;
    std::wstring knownFolder;
    std::wstring resolved;
  } cases[] = {
      {"override used exactly", L"D:\\portable", L"C:\\Users\\me\\AppData\\Local", L"D:\\portable"},
      {"override keeps its trailing separator", L"D:\\portable\\", L"C:\\x", L"D:\\portable\\"},
      {"empty override falls back", L"", L"C:\\x", L"C:\\x" + kSep + L"Orvane"},
      {"unset falls back", std::nullopt, L"C:\\x", L"C:\\x" + kSep + L"Orvane"},
      {"failed lookup", std::nullopt, L"", kSep + L"Orvane"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveDataDirectory(c.override, c.knownFolder), c.resolved) << c.label;
}

#ifndef _WIN32
// The Linux build's folders: XDG base directories, same override.
class DataDirsEnvironmentTest : public ::testing::Test {
 protected:
  static constexpr const char* kNames[] = {"ORVANE_DATA_DIR", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "HOME"};

  void SetUp() override {
    for (const char* name : kNames) {
      if (const char* value = std::getenv(name)) saved_[name] = value;
    }
  }
  void TearDown() override {
    for (const char* name : kNames) {
      const auto it = saved_.find(name);
      if (it == saved_.end()) {
        unsetenv(name);
      } else {
        setenv(name, it->second.c_str(), 1);
      }
    }
  }

  static void Set(const char* name, const std::optional<std::string>& value) {
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }

  std::map<std::string, std::string> saved_;
};

TEST_F(DataDirsEnvironmentTest, LocalAndRoamingFolders) {
  using Env = std::optional<std::string>;
  const struct {
    const char* label;
    Env override, dataHome, configHome, home;
    std::wstring local, roaming;
  } cases[] = {
      {"override wins", "/srv/orvane", "/x/data", "/x/config", "/home/u", L"/srv/orvane", L"/srv/orvane"},
      {"empty override ignored", "", "/x/data", "/x/config", "/home/u", L"/x/data/Orvane", L"/x/config/Orvane"},
      {"home fallbacks", std::nullopt, std::nullopt, std::nullopt, "/home/u", L"/home/u/.local/share/Orvane",
       L"/home/u/.config/Orvane"},
      {"relative XDG values ignored", std::nullopt, "rel/data", "", "/home/u", L"/home/u/.local/share/Orvane",
       L"/home/u/.config/Orvane"},
      {"nothing known", std::nullopt, std::nullopt, std::nullopt, std::nullopt, L"/Orvane", L"/Orvane"},
  };
  for (const auto& c : cases) {
    Set("ORVANE_DATA_DIR", c.override);
    Set("XDG_DATA_HOME", c.dataHome);
    Set("XDG_CONFIG_HOME", c.configHome);
    Set("HOME", c.home);
    EXPECT_EQ(LocalDataDirectory(), c.local) << c.label;
    EXPECT_EQ(RoamingDataDirectory(), c.roaming) << c.label;
  }
}
#endif

}  // namespace
}  // namespace orvane
