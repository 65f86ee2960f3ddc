#pragma once
// The notification panel ("OrvaneNotificationCenter", a glass popup at the
// top right of the dock's monitor) and the banner ("OrvaneNotificationBanner",
// a card that never takes the focus) as one shell surface. It toggles the
// panel, polls the feed on the shell's tick, shows one banner at a time for
// new arrivals (not over a full-screen application, not while the panel is
// open) and hands note edits to the configuration.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "config/DockConfig.h"
#include "platform/SurfaceWindow.h"
#include "render/Composition.h"
#include "render/GlassSurfaceWindow.h"
#include "render/TextMeasurer.h"
#include "render/Theme.h"
#include "system/CivilClock.h"
#include "system/SystemStats.h"
#include "system/notifications/NotificationRecord.h"
#include "ui/PopupSurface.h"
#include "ui/ShellSurface.h"
#include "ui/notifications/NotificationCenterModel.h"

namespace orvane {

inline constexpr wchar_t kNotificationCenterClass[] = L"OrvaneNotificationCenter";
inline constexpr wchar_t kNotificationBannerClass[] = L"OrvaneNotificationBanner";

// What the surface needs from the program.
struct NotificationCenterDeps {
  NotificationList* list = nullptr;
  // The oldest arrival still worth a banner (NotificationFeed::PopNewArrival).
  std::function<std::optional<NotificationRecord>()> popArrival;
  const CivilClock* clock = nullptr;
  SystemStats* stats = nullptr;
  TextMeasurer* measurer = nullptr;
  // The dock's monitor.
  std::function<PopupMonitor()> monitor;
  // Whether a full-screen application runs on the dock's monitor, asked on
  // its own (never through the dock's hide options).
  std::function<bool()> fullScreen;
  std::function<std::chrono::steady_clock::time_point()> now;
  // A note edit for the configuration (the note only).
  std::function<void(const std::wstring&)> noteChanged;
};

// Timings on the shell's 260 ms tick.
namespace notification_timing {
inline constexpr std::chrono::milliseconds kPanelRefresh{1500};
inline constexpr std::chrono::milliseconds kBannerLifetime{4800};
// A new banner may replace one that has been up this long.
inline constexpr std::chrono::milliseconds kBannerReplaceAfter{2400};
// The feed polls every eighth tick (about two seconds).
inline constexpr unsigned kFeedPollTicks = 8;
}  // namespace notification_timing

class NotificationCenterSurface final : public ShellSurface, private SurfaceWindowDelegate {
 public:
  NotificationCenterSurface(PopupStack& stack, Compositor& compositor, const SurfaceWindowFactory& makeWindow,
                            const DockConfig& config, const Theme& theme, NotificationCenterDeps deps);
  ~NotificationCenterSurface() override;
  NotificationCenterSurface(const NotificationCenterSurface&) = delete;
  NotificationCenterSurface& operator=(const NotificationCenterSurface&) = delete;

  // Creates both hidden windows.
  void Create();

  void ShowPanel();
  void HidePanel() { panel_.Hide(); }
  bool panelVisible() const { return panel_.visible(); }
  void ShowBanner(const NotificationRecord& record);
  void HideBanner();
  bool bannerVisible() const { return bannerVisible_; }

  const NotificationCenterModel& model() const { return model_; }
  PopupSurface& panel() { return panel_; }
  SurfaceWindow& bannerWindow() { return *bannerWindow_; }
  const std::optional<NotificationRecord>& bannerRecord() const { return bannerRecord_; }

  // ShellSurface
  void ThemeChanged(const Theme& theme) override;
  void PeriodicTick(unsigned tick) override;
  void DeviceLost() override;
  void Teardown() override;
  void Run(ShellCommand command, const ShellCommandArgs& args) override;

 private:
  // The panel's content input, handed on by its popup.
  class PanelInput final : public SurfaceWindowDelegate {
   public:
    explicit PanelInput(NotificationCenterSurface& owner) : owner_(owner) {}
    void OnPointerMove(const SurfacePointer& pointer) override;
    void OnPointerLeave() override;
    void OnButtonDown(PointerButton button, const SurfacePointer& pointer) override;
    void OnButtonUp(PointerButton button, const SurfacePointer& pointer) override;
    void OnWheel(WheelAxis axis, int notches, const SurfacePointer& pointer) override;
    bool OnKey(const SurfaceKey& key) override;
    void OnChar(char32_t codePoint) override;

   private:
    NotificationCenterSurface& owner_;
  };

  // The banner window's own events.
  void OnPointerMove(const SurfacePointer& pointer) override;
  void OnPointerLeave() override;
  void OnButtonDown(PointerButton button, const SurfacePointer& pointer) override;
  void OnButtonUp(PointerButton button, const SurfacePointer& pointer) override;
  void OnRedraw() override { DrawBanner(); }

  PointF PanelPoint(const SurfacePointer& pointer) const;
  PointF BannerPoint(const SurfacePointer& pointer) const;
  void Respond(NotificationResponse response);
  void RedrawPanel();
  void DrawBanner();
  void FollowTextInput();
  void TickPanel(std::chrono::steady_clock::time_point now);
  void TickBanner(std::chrono::steady_clock::time_point now);
  PopupMonitor Monitor() const;
  PopupGlassShape PanelShape() const;

  Compositor& compositor_;
  const DockConfig& config_;
  Theme theme_;
  NotificationCenterDeps deps_;
  NotificationCenterModel model_;
  PanelInput panelInput_{*this};
  PopupSurface panel_;
  std::chrono::steady_clock::time_point lastPanelRefresh_{};
  int shownSecond_ = -1;

  std::unique_ptr<SurfaceWindow> bannerWindow_;
  GlassSurfaceWindow bannerGlass_;
  bool bannerVisible_ = false;
  bool bannerCloseHovered_ = false;
  bool bannerPressed_ = false;
  std::optional<NotificationRecord> bannerRecord_;
  std::chrono::steady_clock::time_point bannerShownAt_{};
  // An arrival kept back while a full-screen application runs.
  std::optional<NotificationRecord> heldArrival_;
  std::chrono::steady_clock::time_point heldSince_{};
};

}  // namespace orvane
