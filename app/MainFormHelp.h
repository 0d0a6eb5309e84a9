#pragma once
// The main window's help column: the callout panel Panel2, whose arrow
// points at the control that has the input focus and which shows that
// control's help (a text, pictures), and the web pane `web` for help that
// is a web page. The page switcher clears the panel or fills it for its
// page through ShowHelp and places the web pane with PlaceWebPane.
#include "platform/rtl/Object.h"

namespace vg {
class TvgLayout;
}

namespace app {

class TfrmInterface;
struct HelpContent;

class MainFormHelp {
 public:
  explicit MainFormHelp(TfrmInterface& form) : form_(form) {}
  MainFormHelp(const MainFormHelp&) = delete;
  MainFormHelp& operator=(const MainFormHelp&) = delete;

  // The focus event: points the callout at `sender` and shows the help of
  // its Tag. A sender that is not an input box (option list, spin box,
  // text box, track bar, combo or compound text box) gets help code 0 and
  // the arrow at the panel's top.
  void itemEnterFocus(rtl::TObject* sender);
  // Replaces the panel's content with the help of `code` (see
  // HelpContent.h); a code below 0 only clears it. The web pane goes out
  // of sight unless the help names a web page, which it then shows.
  void ShowHelp(int code);
  // The web pane in the help column or out of sight; it keeps its page.
  void PlaceWebPane(bool inView);

 private:
  vg::TvgLayout& NewHelpLayout();
  void ShowContent(vg::TvgLayout& layout, const HelpContent& content);

  TfrmInterface& form_;
};

}  // namespace app
