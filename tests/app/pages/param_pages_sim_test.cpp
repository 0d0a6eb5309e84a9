// The parameter editor on the simulated adapter: a device is identified, its
// pages are built and filled from its settings, a changed value is written
// and read back, and a mode change reads the chosen mode's settings.
#include <gtest/gtest.h>

#include "app/pages/ParamDeviceLink.h"
#include "params/PagePlan.h"
#include "params/ParamEditor.h"
#include "tests/support/DeviceJobsFakes.h"
#include "tests/support/ParamFakes.h"

namespace app {
namespace {

using params::fakes::FakeParamControls;

// The device jobs with the parameter editor in place of the main form's
// pages: page builds plan the description of the identified device into
// the controls and show its settings.
struct PagesOnDevice : device::fakes::JobsRig {
  PagesOnDevice() {
    controls.onChange = [this](const std::string& name) {
      if (name == params::kModeList) editor.modeIndex = controls.ItemIndex(name);
      pages.itemChange(name);
    };
    editor.onBuild = [this] { BuildPages(); };
    editor.onShow = [this] { pages.ShowSettings(); };
    editor.onCollect = [this] { pages.CollectSettings(); };
  }

  void BuildPages() {
    const device::DeviceState& s = link.State();
    params::DescriptionKey key{s.DeviceInfoStrings[device::kController], s.DeviceInfoStrings[device::kHardware],
                               s.DeviceInfoStrings[device::kFirmware]};
    params::LoadedDescription loaded;
    params::LoadDeviceDescription(params::fakes::ProgramLangIni(), "", key, loaded);
    version = loaded.version;
    params::PlanInputs inputs;
    inputs.settingsImage = s.SettingsImage;
    inputs.valueOffset = s.Layout.valueOffset;
    controls.Load(params::PlanParameterPages(version, inputs));
    editor.modeIndex.reset();
    if (s.Connected) pages.ShowSettings();
  }

  // The settings read again into pages built anew.
  void ReadAgain() {
    BuildPages();
    link.State().Busy = true;
    ASSERT_EQ(jobs.ReadSettings(), "");
    link.State().Busy = false;
    pages.ShowSettings();
  }

  params::VERSION version;
  FakeParamControls controls;
  params::fakes::FakeParamForm form;
  params::fakes::FakeTableEditors editors;
  ParamDeviceLink deviceLink{link, jobs};
  params::ParamEditor pages{version, controls, form, deviceLink, editors};
};

TEST(ParamPagesOnDevice, ChangedValueIsWrittenAndReadBack) {
  struct Case {
    const char* model;
    const char* list;
    int choice;
    int storedByte;  // the list's index plus the item's offset
  };
  const Case cases[] = {{"CAR_ESC", "cbItem1", 3, 4}, {"CAR_ESC_QV4", "cbItem0", 2, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    PagesOnDevice rig;
    hid::SimModelDevice device = rig.PlugModel(*hid::FindSimModel(c.model));
    ASSERT_TRUE(rig.IdentifyWithin(3));
    EXPECT_FALSE(rig.pages.ParamError());
    EXPECT_EQ(rig.form.pages, std::vector<params::SidePage>{params::kFirstParamPage});
    ASSERT_NE(rig.controls.ItemIndex(c.list), c.choice);

    rig.controls.SetItemIndex(c.list, c.choice);
    rig.jobs.btnUpdateClick();
    EXPECT_EQ(rig.InfoBoxes(), std::vector<std::string>{"setting_succ"});
    const int item = std::stoi(std::string(c.list).substr(6));
    EXPECT_EQ(device.Settings()[rig.link.State().Layout.valueOffset + item], c.storedByte);

    rig.ReadAgain();
    EXPECT_EQ(rig.controls.ItemIndex(c.list), c.choice);
  }
}

TEST(ParamPagesOnDevice, ModeChangeShowsThatModesSettings) {
  PagesOnDevice rig;
  const hid::SimModel& model = *hid::FindSimModel("CAR_ESC");
  rig.PlugModel(model);
  ASSERT_TRUE(rig.IdentifyWithin(3));
  rig.controls.SetItemIndex("cbMode", 2);
  const device::DeviceState& s = rig.link.State();
  EXPECT_FALSE(s.Busy);
  EXPECT_EQ(s.SettingsImage[s.Layout.writeOffset], 2);
  const std::vector<std::uint8_t> bank = hid::SimSettingsImage(model, 2, false);
  EXPECT_EQ(rig.controls.ItemIndex("cbItem1"), bank[s.Layout.valueOffset + 1] - 1);  // offset 1
  EXPECT_EQ(rig.controls.Text("eName"), "MODE 3");
  EXPECT_EQ(rig.form.progressFreed, 1);
}

}  // namespace
}  // namespace app
