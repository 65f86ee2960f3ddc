#include "ui/menu/ContextMenuSurface.h"

#include <utility>

#include "ui/menu/ContextMenuLook.h"
#include "ui/menu/MenuLayout.h"

namespace orvane {

ContextMenuSurface::ContextMenuSurface(PopupStack& stack, Compositor& compositor,
                                       std::unique_ptr<SurfaceWindow> window, TextMeasurer& measurer)
    : popup_(PopupKind::ContextMenu, stack, compositor, std::move(window)),
      menu_(measurer, [this] { popup_.Hide(); }) {
  popup_.SetContent([this](Canvas& canvas, const GlassSurfaceWindow&) { menu_.Draw(canvas); });
  popup_.SetInput(this);
  // Closed from outside (activation loss, another popup, a dock press): the
  // menu forgets its callback's chance too.
  popup_.SetOnHidden([this] { menu_.Hide(); });
}

void ContextMenuSurface::Create() {
  SurfaceWindowParams params;
  params.className = kContextMenuClass;
  params.title = kContextMenuTitle;
  params.kind = SurfaceKind::Popup;
  params.band = SurfaceBand::Topmost;
  params.takesFocus = true;
  popup_.Create(params);
}

bool ContextMenuSurface::Show(int x, int y, const PopupMonitor& monitor, std::vector<MenuItem> items,
                              const Theme& theme, ContextMenu::Choice choice) {
  if (!menu_.Show(std::move(items), theme, monitor.scale, std::move(choice))) return false;
  PopupGlassShape shape;
  shape.widthDip = menu_.layout().widthDip;
  shape.heightDip = menu_.layout().heightDip;
  shape.marginDip = MenuMetrics::kShadowMargin;
  shape.cornerRadiusDip = MenuMetrics::kCornerRadius;
  shape.blurDip = kContextMenuBlurDip;
  shape.look = ContextMenuGlassLook();
  popup_.Show(PopupAnchor::MenuAt(x, y), monitor, shape, theme);
  return true;
}

void ContextMenuSurface::Hide() { menu_.Hide(); }

PointF ContextMenuSurface::PlatePoint(const SurfacePointer& pointer) const {
  const GlassSurfaceWindow& glass = popup_.glass();
  const float scale = glass.scale() > 0 ? glass.scale() : 1;
  return {(static_cast<float>(pointer.client.x) - glass.marginPx()) / scale,
          (static_cast<float>(pointer.client.y) - glass.marginPx()) / scale};
}

void ContextMenuSurface::Respond(MenuResponse response) {
  if (response == MenuResponse::Redraw) popup_.Redraw();
}

void ContextMenuSurface::OnPointerMove(const SurfacePointer& pointer) { Respond(menu_.PointerMove(PlatePoint(pointer))); }

void ContextMenuSurface::OnPointerLeave() { Respond(menu_.PointerLeave()); }

void ContextMenuSurface::OnButtonUp(PointerButton button, const SurfacePointer& pointer) {
  if (button != PointerButton::Left) return;
  Respond(menu_.Click(PlatePoint(pointer)));
}

bool ContextMenuSurface::OnKey(const SurfaceKey& key) {
  if (!key.down) return false;
  const MenuResponse response = menu_.Key(key.virtualKey);
  Respond(response);
  return response != MenuResponse::Ignored;
}

}  // namespace orvane
