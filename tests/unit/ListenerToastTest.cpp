#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "system/notifications/ListenerToast.h"

namespace orvane::testing {
namespace {

// ---------------------------------------------------------------- access

struct AccessCase {
  const char* name;
  std::int32_t status;
  bool reads;
  std::wstring reason;
};

void PrintTo(const AccessCase& c, std::ostream* os) { *os << c.name; }

class ListenerAccessTest : public ::testing::TestWithParam<AccessCase> {};

TEST_P(ListenerAccessTest, OnlyAllowedReads) {
  const AccessCase& c = GetParam();
  const std::optional<NotificationPoll> refusal = ListenerAccessRefusal(static_cast<ListenerAccessStatus>(c.status));
  ASSERT_EQ(!refusal.has_value(), c.reads);
  if (refusal) {
    EXPECT_EQ(refusal->status, NotificationPollStatus::NoAccess);
    EXPECT_TRUE(refusal->records.empty());
    EXPECT_EQ(refusal->reason, c.reason);
  }
}

const AccessCase kAccessCases[] = {
    {"Allowed", 1, true, L""},
    {"NeverAsked", 0, false, L"notification listener access: unspecified"},
    {"Denied", 2, false, L"notification listener access: denied"},
    {"UnknownStatus", 3, false, L"notification listener access: status 3"},
};

INSTANTIATE_TEST_SUITE_P(Statuses, ListenerAccessTest, ::testing::ValuesIn(kAccessCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- which to read

std::vector<std::int64_t> Times(std::int64_t first, std::int64_t step, std::size_t count) {
  std::vector<std::int64_t> times;
  for (std::size_t i = 0; i < count; ++i) times.push_back(first + step * static_cast<std::int64_t>(i));
  return times;
}

std::vector<std::size_t> Positions(std::size_t first, std::size_t last) {
  std::vector<std::size_t> positions;
  for (std::size_t i = first; i <= last; ++i) positions.push_back(i);
  return positions;
}

TEST(NewestListenerToastsTest, KeepsTheNewestInListenerOrder) {
  // Within the limit everything is read, in order, whatever the times.
  EXPECT_EQ(NewestListenerToasts(std::vector<std::int64_t>{30, 10, 20}, 3), (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_TRUE(NewestListenerToasts({}, 64).empty());

  // Beyond it, the newest win wherever the listener put them.
  EXPECT_EQ(NewestListenerToasts(Times(100, 10, 70), 64), Positions(6, 69));   // oldest first
  EXPECT_EQ(NewestListenerToasts(Times(800, -10, 70), 64), Positions(0, 63));  // newest first
  EXPECT_EQ(NewestListenerToasts(std::vector<std::int64_t>{5, 9, 1, 7}, 2), (std::vector<std::size_t>{1, 3}));
}

// ---------------------------------------------------------------- records

ListenerToast Toast(std::vector<std::wstring> lines) {
  ListenerToast toast;
  toast.id = 7;
  toast.appName = L"微信";
  toast.creationTime = 133'500'000'000'000'000;
  toast.lines = std::move(lines);
  return toast;
}

TEST(ListenerRecordTest, CarriesIdsSenderAndArrival) {
  const std::optional<NotificationRecord> record = ListenerRecord(Toast({L"张三", L"晚上见"}));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->id, kListenerIdOffset + 7);
  EXPECT_EQ(record->systemId, 7u);
  EXPECT_EQ(record->appName, L"微信");
  EXPECT_EQ(record->title, L"张三");
  EXPECT_EQ(record->body, L"晚上见");
  EXPECT_EQ(record->arrival, 133'500'000'000'000'000);
  EXPECT_TRUE(record->timeText.empty());  // the feed words it
}

TEST(ListenerRecordTest, HighestListenerIdStaysAboveDatabaseIds) {
  ListenerToast toast = Toast({L"t"});
  toast.id = 0xFFFFFFFFu;
  const std::optional<NotificationRecord> record = ListenerRecord(toast);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->id, std::int64_t{0x1FFFFFFFF});
  EXPECT_EQ(record->systemId, 0xFFFFFFFFu);
}

TEST(ListenerRecordTest, ToastWithoutAppIsASystemNotification) {
  ListenerToast toast = Toast({L"Windows 安全中心"});
  toast.appName.clear();
  const std::optional<NotificationRecord> record = ListenerRecord(toast);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->appName, L"系统通知");
}

TEST(ListenerRecordTest, BlankLinesDoNotCountAsText) {
  const std::optional<NotificationRecord> record =
      ListenerRecord(Toast({L"", L"  ", L"标题", L"", L"第一行", L"第二行"}));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->title, L"标题");
  EXPECT_EQ(record->body, L"第一行 · 第二行");

  // A toast with an image alone has no lines, or only blank ones.
  EXPECT_FALSE(ListenerRecord(Toast({})));
  EXPECT_FALSE(ListenerRecord(Toast({L"", L" \r\n"})));
}

}  // namespace
}  // namespace orvane::testing
