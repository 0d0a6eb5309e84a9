#pragma once
// The adapter chooser window TfrmHid: when several adapters are plugged in,
// one line per adapter; a double click on a line closes it with that line
// (modal result = line + 1).
#include <string>
#include <vector>

#include "app/SceneForm.h"
#include "device/AdapterChooser.h"
#include "device/LinkServices.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_listbox.h"

namespace app {

class TfrmHid : public TSceneForm {
  RTL_CLASS(TfrmHid, TSceneForm)

  TfrmHid(rtl::TComponent* owner, const std::vector<std::string>& adapterLines);

  vg::TvgLabel* lblPrompt = nullptr;
  vg::TvgListBox* HidList = nullptr;

  void HidListDblClick(rtl::TObject* sender);
  /// The double-clicked line + 1; 0 while none was (closing the window
  /// chooses nothing).
  int Choice() const { return chooser_.ModalResult(); }

  static void Publish(rtl::TPublisher<TfrmHid>& p);

 private:
  device::TfrmHid chooser_;
};

/// Shows a new TfrmHid over the main window for each choice, its prompt in
/// the chosen language; its answer is the chosen line + 1, or 0 when it was
/// closed without a choice.
class AdapterChooserWindow final : public device::IAdapterChooser {
 public:
  AdapterChooserWindow(gui::TForm& mainForm, device::ITexts& texts) : mainForm_(mainForm), texts_(texts) {}
  int ShowModal(const std::vector<std::string>& adapterLines) override;

 private:
  gui::TForm& mainForm_;
  device::ITexts& texts_;
};

}  // namespace app
