// The notification panel and the banner on their glass, placed at the top
// right of the screen as the program places them:
// "notification-center-list": four notifications, the pointer on the second
//   one's "×";
// "notification-center-empty": no notifications;
// "notification-center-detail": one notification opened, without body text;
// "notification-center-widgets": February 2024 with today marked, the
//   processor and memory gauges, the quick note being edited in Chinese;
// "notification-banner": a new arrival's banner.

#include <cmath>
#include <memory>
#include <vector>

#include "Scenes.h"
#include "render/GlassSurfaceWindow.h"
#include "render/TextMeasurer.h"
#include "system/CivilClock.h"
#include "ui/PopupPlacement.h"
#include "ui/notifications/NotificationCenterModel.h"
#include "ui/notifications/NotificationCenterView.h"

namespace orvane::preview {
namespace {

NotificationRecord Sample(std::int64_t id, const wchar_t* app, const wchar_t* title, const wchar_t* body,
                          const wchar_t* time) {
  NotificationRecord r;
  r.id = id;
  r.appName = app;
  r.title = title;
  r.body = body;
  r.timeText = time;
  return r;
}

class SampleList final : public NotificationList {
 public:
  explicit SampleList(std::vector<NotificationRecord> items) : items_(std::move(items)) {}
  void RequestRefresh() override {}
  std::vector<NotificationRecord> Items() override { return items_; }
  void Dismiss(std::int64_t) override {}
  void ClearAll() override {}

 private:
  std::vector<NotificationRecord> items_;
};

std::vector<NotificationRecord> FourNotifications() {
  return {
      Sample(1, L"邮件", L"项目评审会议改到周三下午", L"王琳：会议室换到 3 楼东侧，请带上上周的测试报告 · 附件 2 个",
             L"09:41"),
      Sample(2, L"日历", L"10:30 产品周会", L"还有 15 分钟 · 线上会议", L"09:15"),
      Sample(3, L"WindowsUpdate", L"更新已准备就绪", L"重新启动以完成安装", L"2/9 22:03"),
      Sample(4, L"", L"存储空间不足", L"", L"2/9 18:20"),
  };
}

constexpr CivilTime kNow{2024, 2, 10, 6, 9, 41, 27, 0};

void PlacePlate(SceneContext& ctx, float widthDip, float heightDip, float marginDip, float radiusDip, float blurDip,
                float tint, float rightDip, float topDip, const std::function<void(Canvas&)>& draw) {
  const Theme theme = MakeTheme(ctx.dark, ctx.transparency);
  auto glass = std::make_shared<GlassSurfaceWindow>();
  ctx.keepAlive.push_back(glass);
  glass->Attach(ctx.window, ctx.compositor, true);
  glass->Configure(widthDip, heightDip, marginDip, radiusDip, ctx.scale, theme, blurDip, tint);
  ctx.compositor.DrawSurface(*glass->contentSurface(), glass->contentWidthPx(), glass->contentHeightPx(), draw);
  const ScreenRect screen{0, 0, ctx.screenWidth, ctx.screenHeight};
  const PopupPlacement placed = PlacePopup(
      PopupAnchor::TopRightOfMonitor(rightDip, topDip),
      {glass->contentWidthPx(), glass->contentHeightPx(), static_cast<int>(std::lround(glass->marginPx()))},
      PopupMonitor{screen, screen, ctx.scale});
  ctx.windowWidth = glass->windowWidthPx();
  ctx.windowHeight = glass->windowHeightPx();
  ctx.windowPosition = ScreenPoint{placed.window.left, placed.window.top};
}

// The panel with `items`, after `prepare` put the model in the scene's state.
void BuildPanel(SceneContext& ctx, std::vector<NotificationRecord> items,
                const std::function<void(NotificationCenterModel&)>& prepare) {
  using namespace notification_panel;
  auto list = std::make_shared<SampleList>(std::move(items));
  ctx.keepAlive.push_back(list);
  auto model = std::make_shared<NotificationCenterModel>(*list, [](const std::wstring&) {});
  ctx.keepAlive.push_back(model);
  model->Open(L"周五前交季度报告\n买牛奶", kNow);
  SystemSample sample;
  sample.cpuPercent = 37;
  sample.memoryPercent = 62;
  sample.memoryUsedGiB = 9.9f;
  sample.memoryTotalGiB = 16;
  model->SetSample(sample);
  prepare(*model);
  const Theme theme = MakeTheme(ctx.dark, ctx.transparency);
  PlacePlate(ctx, kWidth, kHeight, kMargin, kCornerRadius, kBlur, ctx.dark ? kTintDark : kTintLight, kRightGap,
             kTopGap, [&](Canvas& canvas) { DrawNotificationPanel(canvas, *model, theme, ctx.scale, kNow); });
}

void Click(NotificationCenterModel& model, PointF p) {
  model.PointerDown(p);
  model.PointerUp(p);
}

const SceneRegistration kList{{"notification-center-list",
                               "The notification panel's list: four notifications (one without an app name or "
                               "body), the pointer on the second one's dismiss box",
                               [](SceneContext& ctx) {
                                 BuildPanel(ctx, FourNotifications(), [](NotificationCenterModel& model) {
                                   model.PointerMove({320, 136 + 90 + 18});
                                 });
                               }}};

const SceneRegistration kEmpty{{"notification-center-empty", "The notification panel with no notifications",
                                [](SceneContext& ctx) { BuildPanel(ctx, {}, [](NotificationCenterModel&) {}); }}};

const SceneRegistration kDetail{{"notification-center-detail",
                                 "One notification opened in the panel; it has no body text",
                                 [](SceneContext& ctx) {
                                   BuildPanel(ctx, FourNotifications(), [](NotificationCenterModel& model) {
                                     Click(model, {100, 136 + 3 * 90 + 40});
                                   });
                                 }}};

const SceneRegistration kWidgets{{"notification-center-widgets",
                                  "The widgets tab: February 2024 with today marked, the processor and memory "
                                  "gauges, and the quick note being edited with Chinese text",
                                  [](SceneContext& ctx) {
                                    BuildPanel(ctx, FourNotifications(), [](NotificationCenterModel& model) {
                                      Click(model, {250, 108});
                                      Click(model, {100, 550});
                                      for (char32_t c : std::u32string(U"\n下午三点给张老师回电话")) {
                                        if (c == U'\n') {
                                          model.Key(0x0D);
                                        } else {
                                          model.Char(c);
                                        }
                                      }
                                    });
                                  }}};

const SceneRegistration kBanner{{"notification-banner", "A new notification's banner at the top right",
                                 [](SceneContext& ctx) {
                                   using namespace notification_banner;
                                   const NotificationRecord record = FourNotifications().front();
                                   const Theme theme = MakeTheme(ctx.dark, ctx.transparency);
                                   PlacePlate(ctx, kWidth, kHeight, kMargin, kCornerRadius, kBlur,
                                              ctx.dark ? kTintDark : kTintLight, kRightGap, kTopGap,
                                              [&](Canvas& canvas) {
                                                DrawNotificationBanner(canvas, record, false, theme, ctx.scale);
                                              });
                                 }}};

}  // namespace
}  // namespace orvane::preview
