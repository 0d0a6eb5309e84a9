#pragma once
// What the main form gives the parameter page builder: the owner of the
// parameter controls, the page area the page layouts go into, the side
// list's entries and the help panel. The form implements it.
#include <string>
#include <vector>

#include "params/PagePlan.h"
#include "platform/rtl/Component.h"
#include "ui/core/vg_visual.h"

namespace app {

class IParamPageHost {
 public:
  virtual ~IParamPageHost() = default;
  // The main form: owner of the page layouts and every parameter control,
  // which it finds by name.
  virtual rtl::TComponent& FormOwner() = 0;
  // Panel3, the parent of the page layouts.
  virtual vg::TvgObject& PageArea() = 0;
  // tabLayout8, the software-information page; null when the form has none.
  virtual vg::TvgVisualObject* SoftwarePage() = 0;
  // Caption and picture (a path relative to the program folder) of the
  // side-list entry of page j (tabLabel and tabImage j + 2).
  virtual void SetPageEntry(int page, const std::string& caption, const std::string& icon) = 0;
  // Moves the web pane to Left 900 and hides the help panel Panel6.
  virtual void CloseHelpPanel() = 0;
  // The menus and device state that decide which side-list entries show.
  virtual params::SideListInputs SideListState() = 0;
  // The entries of the shown side list ListBox1 in order (numbers n of
  // ListBoxItem n), and the new order: entries left out go to ListBox2.
  virtual std::vector<int> ShownSideEntries() = 0;
  virtual void ShowSideEntries(const std::vector<int>& entries) = 0;
  // The focus event of the parameter controls (the help panel).
  virtual void itemEnterFocus(vg::TvgVisualObject* sender) = 0;
};

}  // namespace app
