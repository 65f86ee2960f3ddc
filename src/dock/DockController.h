#pragma once
// The dock itself, without its windows: the item list, the frame step, the
// visual layer and the input state machines, and what a click on each kind
// of item does. The hub's window procedures translate messages into these
// calls (pointer positions already in render-window DIPs) and carry out the
// placement they get back; every decision lives here so that it runs the
// same under the tests as on the desktop. UI thread only.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/DockConfig.h"
#include "dock/DockAnimator.h"
#include "dock/DockCommand.h"
#include "dock/DockGeometry.h"
#include "dock/DockItemList.h"
#include "dock/DockPictures.h"
#include "dock/DockPressDrag.h"
#include "dock/DockReveal.h"
#include "dock/DockTooltip.h"
#include "dock/DockVisualLayer.h"
#include "render/Composition.h"
#include "render/Theme.h"
#include "system/MediaInfo.h"
#include "system/WindowSystem.h"
#include "ui/ShellCommands.h"

namespace orvane {

// The system calls behind a click, a file drop and a rebuild.
class DockClickPlatform {
 public:
  virtual ~DockClickPlatform() = default;
  // False when every launch attempt failed (the launcher logged it).
  virtual bool Launch(const std::wstring& target, const std::wstring& arguments) = 0;
  virtual void ActivateWindow(WindowHandle window) = 0;
  // Activates, minimises or cycles the windows; returns the one it minimised.
  virtual WindowHandle ToggleAppWindows(const std::vector<WindowHandle>& windows) = 0;
  // Where the window stands, or for a minimised one where it stood before
  // (RestingWindowRect, system/WindowActions.h); nullopt when unknown.
  virtual std::optional<ScreenRect> RestingWindowRect(WindowHandle window) = 0;
  virtual bool ShiftHeld() = 0;
  virtual std::wstring ExpandEnvironment(const std::wstring& text) = 0;
  virtual bool IsDirectory(const std::wstring& path) = 0;
  // Moves the files to the recycle bin, asking before anything that cannot
  // go there would be deleted for good.
  virtual void RecycleFiles(const std::vector<std::wstring>& paths) = 0;
  // After a rebuild's icon work: unused COM libraries are unloaded and the
  // process's working set is trimmed.
  virtual void ReleaseMemory() = 0;
};

// A screen point in physical pixels, where popups and menus are anchored.
using DockScreenPoint = ShellAnchor;

// Hops of the bounce a click's launch starts.
inline constexpr int kLaunchBounceHops = 4;
// The strip a hidden dock keeps on the screen edge to be found again.
inline constexpr int kHiddenStripPixels = 3;
// How far above the icons the pointer still hovers the dock (the hit test's reach).
inline constexpr float kInputReachDips = 6.0f;

// Where the input window goes this frame, in screen pixels: over the area the
// dock occupies (plate and icons, out to the screen edge), or a thin strip on
// the screen edge while the dock is hidden.
ScreenRect DockInputRect(const DockLayout& layout, const DockGeometry& geometry, float hiddenAmount, bool revealed);

struct DockFrameResult {
  bool moreFrames = false;
  ScreenRect inputRect;
};

class DockController final : private DockCommandItems {
 public:
  // `config` is the shell's live configuration: the dock reads it and the
  // item list writes the pinned items into it. What a click or the command
  // message opens goes to `commands`.
  DockController(DockConfig& config, DockItemServices& services, DockClickPlatform& platform,
                 ShellCommands& commands, std::function<void()> requestFrame);
  DockController(const DockController&) = delete;
  DockController& operator=(const DockController&) = delete;

  // Puts the dock on `monitor` (whole monitor, physical pixels) at `scale`;
  // the hub moves the render window to geometry().renderWindow. When the
  // icon size, magnification or scale changed, the next frame requests the
  // icons again and redraws every picture, unless a rebuild does it first.
  const DockGeometry& Place(const ScreenRect& monitor, float scale);
  // Builds the composition tree; Place has run. The hub puts root() under its
  // host root.
  void CreateVisuals(Compositor& compositor, const Theme& theme);
  // Replaces every item from the configuration and lays them out as they
  // stand, then releases the memory the icon work left behind.
  void Rebuild();
  // Brings running and minimised items in line with the tracker.
  void SynchroniseRunning();
  // The glass plate's measures and style after a size or theme change.
  void ConfigurePlate();
  void SetTheme(const Theme& theme);
  // The graphics device came back: every picture is drawn again.
  void RedrawAfterDeviceLoss();
  // The periodic music refresh.
  void RefreshMusicItem(const MediaInfo& media);
  void SetRecycleBinFull(bool full);
  // Icons the services were waiting for have arrived.
  void DeliverArrivedIcons();
  // Ends a drag (the item goes back where it came from) or forgets a press.
  void EndPress();
  // The name bubble goes at once (the configuration is applied).
  void HideTooltip() { tooltip_.HideNow(); }

  // --- what the item menus change ---------------------------------------------------
  // Each finds its item again (DockItemList::FindPinned, FindRunning) and
  // does nothing when it is gone.
  void UnpinFromMenu(int index, const DockItemConfig& config);
  void KeepInDockFromMenu(const std::wstring& appKey);
  void SetCustomIconFromMenu(int index, const DockItemConfig& config, const std::wstring& path);

  // --- input window, pointer in render-window DIPs ---------------------------------
  void PointerMoved(Vector2 pointer);
  void ButtonDown(Vector2 pointer);
  void ButtonUp(Vector2 pointer);
  void RightButtonUp(Vector2 pointer);
  void PointerLeft();
  void CaptureLost();

  // --- files dragged from other programs -------------------------------------------
  DockDropEffect FileDragOver(Vector2 pointer, bool havePaths);
  void FileDragLeave();
  void FileDrop(const std::vector<std::wstring>& paths);

  // The command message; returns its result.
  std::int64_t Command(std::uint64_t wParam, std::int64_t lParam);

  // --- hiding ---------------------------------------------------------------------
  DockHideUpdate EvaluateAutoHide(DockHideProbe& probe);
  ScreenRect DockRect() const;  // the shown dock, screen pixels

  // One frame; `popups` says which popups are open.
  DockFrameResult FrameStep(float dt, const DockPopupState& popups);

  Vector2 ScreenToDips(int x, int y) const;
  DockScreenPoint DipsToScreen(Vector2 point) const;

  const DockGeometry& geometry() const { return geometry_; }
  // The name bubble; the hub puts its root above root() in the window's tree.
  const DockTooltip& tooltip() const { return tooltip_; }
  const std::shared_ptr<ContainerVisual>& tooltipRoot() const { return tooltip_.root(); }
  const DockItemList& items() const { return list_; }
  DockItemList& items() { return list_; }
  const DockAnimator& animator() const { return animator_; }
  const DockPressDrag& press() const { return press_; }
  const DockReveal& reveal() const { return reveal_; }
  DockVisualLayer& layer() { return layer_; }
  DockPictures& pictures() { return pictures_; }
  bool hovering() const { return hovering_; }
  bool externalDrag() const { return externalDrag_; }
  bool overRecycleBin() const { return overRecycleBin_; }
  const std::shared_ptr<ContainerVisual>& root() const { return layer_.root(); }

 private:
  // DockCommandItems
  void MarkItemRunning(int index, int bounceHops) override;
  ShellAnchor AnchorOf(int index) const override;

  void Click(int index);
  void OpenFolder(const DockItem& item, const std::wstring& folder, int index);
  // Takes the item list's change record: visuals, effects, pictures, layout.
  void ProcessChanges();
  // `rect` is where the window stood before it minimised, if known.
  void StartMinimiseEffect(int index, WindowHandle window, std::optional<ScreenRect> rect);
  // Pictures for a changed icon size, magnification or scale.
  void RedrawForNewSize();
  // The dragged item is out of the list but still on screen.
  void RedrawLifted();
  // Scale, theme and trimming after the visuals or the dock were made anew.
  void StyleTooltip();
  // This frame's tooltip request and its springs; true while it animates.
  bool StepTooltip(float dt, bool busy);
  void StartBounce(DockItem& item, int hops);
  int HitTest(Vector2 pointer) const;
  // A command anchored at the item (the slot's centre x and icon top).
  ShellCommandArgs AtItem(int index) const;
  int IndexOfKind(DockItemKind kind) const;
  PictureSettings Pictures() const;
  void RequestFrame();

  DockConfig& config_;
  DockClickPlatform& platform_;
  ShellCommands& commands_;
  std::function<void()> requestFrame_;
  DockItemList list_;
  DockAnimator animator_;
  DockPressDrag press_{list_, animator_};
  DockReveal reveal_;
  DockPictures pictures_;
  DockVisualLayer layer_;
  DockTooltip tooltip_;
  bool visualsCreated_ = false;
  PictureSettings drawnFor_;  // what the pictures were last drawn for
  bool picturesStale_ = false;
  Theme theme_;
  MediaInfo media_;
  DockGeometry geometry_;

  Vector2 pointer_;
  bool hovering_ = false;
  bool externalDrag_ = false;
  bool overRecycleBin_ = false;
  int fileDropSlot_ = -1;
  Vector2 vanishPoint_;  // where a dragged-off item was let go
};

}  // namespace orvane
