#pragma once
// The program's one menu window: the context menu's rows on a glass popup
// ("OrvaneMenu", class "OrvaneContextMenu"), topmost and taking the focus
// for its keys. The dock, the menu bar and the widgets all show their menus
// here; showing a menu while one is open replaces it.
//
// The menu closes on a chosen row (the callback runs after it hid), Escape,
// a release outside the rows, activation loss and whatever else closes a
// popup (another popup opening, a dock press; after a refused foreground,
// the next foreground change or outside click).

#include <memory>
#include <vector>

#include "platform/SurfaceWindow.h"
#include "render/Composition.h"
#include "render/TextMeasurer.h"
#include "render/Theme.h"
#include "ui/PopupPlacement.h"
#include "ui/PopupStack.h"
#include "ui/PopupSurface.h"
#include "ui/menu/ContextMenu.h"

namespace orvane {

inline constexpr wchar_t kContextMenuClass[] = L"OrvaneContextMenu";
inline constexpr wchar_t kContextMenuTitle[] = L"OrvaneMenu";

class ContextMenuSurface final : private SurfaceWindowDelegate {
 public:
  ContextMenuSurface(PopupStack& stack, Compositor& compositor, std::unique_ptr<SurfaceWindow> window,
                     TextMeasurer& measurer);
  ContextMenuSurface(const ContextMenuSurface&) = delete;
  ContextMenuSurface& operator=(const ContextMenuSurface&) = delete;

  // Creates the hidden window and its glass.
  void Create();
  // Shows the rows at the anchor point (screen pixels), 8 DIP above it or
  // below when cramped, laid out and placed at the scale of the monitor the
  // anchor is on. False, showing nothing, for an empty list.
  bool Show(int x, int y, const PopupMonitor& monitor, std::vector<MenuItem> items, const Theme& theme,
            ContextMenu::Choice choice);
  // Hides without calling back.
  void Hide();
  bool visible() const { return popup_.visible(); }
  void RedrawAfterDeviceLoss() { popup_.RedrawAfterDeviceLoss(); }

  const ContextMenu& menu() const { return menu_; }
  PopupSurface& popup() { return popup_; }

 private:
  // The pointer in DIP from the plate's corner.
  PointF PlatePoint(const SurfacePointer& pointer) const;
  void Respond(MenuResponse response);

  // SurfaceWindowDelegate: the popup hands the content's input on.
  void OnPointerMove(const SurfacePointer& pointer) override;
  void OnPointerLeave() override;
  void OnButtonUp(PointerButton button, const SurfacePointer& pointer) override;
  bool OnKey(const SurfaceKey& key) override;

  PopupSurface popup_;
  ContextMenu menu_;
};

}  // namespace orvane
