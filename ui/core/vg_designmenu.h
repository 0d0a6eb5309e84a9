#pragma once
// The design menu as the scene builds it (entries, check marks, actions)
// and the design services the windowing layer installs: showing that menu
// through the platform's popup menu, the tab-order editor, and choosing a
// scene file to load. Without them the menu and its dialogs do nothing.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Component.h"
#include "ui/core/vg_types.h"

namespace vg {

class TvgVisualObject;

struct TvgDesignMenuItem {
  std::string caption;
  std::string hint;
  bool checked = false;
  bool radio = false;
  std::function<void()> onClick;
  std::vector<TvgDesignMenuItem> items;
};
using TvgDesignMenu = std::vector<TvgDesignMenuItem>;

// The entry of that caption among `menu` (nullptr when there is none).
const TvgDesignMenuItem* vgFindDesignMenuItem(const TvgDesignMenu& menu, const std::string& caption);

// The scene-file extension of "Load From File..." besides "*.vg".
inline constexpr const char* vgSceneFileExtension = "*.vgscene";

struct TvgDesignServices {
  // Shows the menu at a screen point; the chosen entry runs later.
  std::function<void(const TvgDesignMenu& menu, TvgPoint screen)> showMenu;
  // Runs the tab-order editor modally on the node's siblings.
  std::function<void(TvgVisualObject* node)> editTabOrder;
  // The scene file chosen in an open dialog, or "" when cancelled.
  std::function<std::string()> openSceneFile;
  // Opens the design-time editor of a value (a brush, gradient, bitmap,
  // path or font) of component; true when the value was changed.
  std::function<bool(rtl::TObject* value, rtl::TComponent* component)> editValue;
};
// Installs the services and returns those installed before.
TvgDesignServices vgSetDesignServices(TvgDesignServices services);
const TvgDesignServices& vgDesignServices();

}  // namespace vg
