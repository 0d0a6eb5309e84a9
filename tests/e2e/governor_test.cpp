// The governor calculator as a user works it, in English, with a simulated
// AIRPLANE_ESC connected (the model that lists the calculator page): the six
// inputs typed in, the three battery types chosen with the keyboard (one of
// them typed in as "Other"), and each result as the arithmetic gives it.
// lang.ini keeps English, the language chosen last.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "app/MainForm.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"
#include "ui/controls/vg_textbox.h"

namespace {

using app::TfrmInterface;

bool Identified(TfrmInterface& form) {
  return e2e::Shows(form, "eController") == "AIRPLANE_ESC" && e2e::Front() == gui::MainForm() &&
         !e2e::ShownWindow(form, "TfrmProgress");
}

std::uint32_t FontColour(TfrmInterface& form, int box) {
  return form.Node<vg::TvgCustomTextBox>("calcTextBox" + std::to_string(box))->FontFill()->SolidColor();
}

// Head speed 2500 rpm, gears 160/12, 5 pole pairs, 800 KV, 12 cells:
// motor = 2500·160/12 = 33333.33 (as single 33333.328), electrical rpm
// 5·motor = 166666.64, rounded 166667; the nearest row of the governor
// table is k = 94 of the high range (60000000/358.45 = 167387 rpm, throttle
// 245·100/256 = 95.7 %), shown floored to the half: 95.5 %. Packs of
// 12·3.7, 12·4.2 and 12·1.2 V reach 800·pack·12/160 = 2664, 3024 and 864
// rpm at the head, the last short of 2500.
const e2e::Texts kResults = {
    {"calcTextBox7", "3.7V"},           {"calcTextBox8", "4.2V"},         {"calcTextBox9", "1.2V"},
    {"calcTextBox10", "44.4V"},         {"calcTextBox11", "50.4V"},       {"calcTextBox12", "14.4V"},
    {"calcTextBox13", "2664"},          {"calcTextBox14", "3024"},        {"calcTextBox15", "864"},
    {"calcTextBox16", "Governor_High"}, {"calcTextBox17", "95.5%"},       {"calcTextBox18", "33333.3"},
    {"calcTextBox19", "166666.6"}};

TEST(GovernorCalculator, ShowsTheSetUpForTypedInputsAndChosenBatteries) {
  setenv("ESCTOOL_SIMULATED_HID", "AIRPLANE_ESC", 1);
  app::testing::ProgramRun run;
  e2e::Texts seen;
  std::uint32_t colours[3] = {};
  bool shot = false;
  run.Then("identified", Identified)
      .Then("English chosen", [](TfrmInterface& form) { return e2e::Choose(form, "English1"); })
      .Then("calculator page clicked",
            [](TfrmInterface& form) {
              return e2e::MenuCaption(form, "File1") == "File" && Identified(form) &&
                     e2e::Click(form, "ListBoxItem10");
            })
      .Then("inputs typed",
            [](TfrmInterface& form) {
              if (!e2e::Reachable(form, "calcTextBox1")) return false;
              const char* inputs[] = {"2500", "160", "12", "5", "800", "12"};
              for (int n = 1; n <= 6; ++n) e2e::Enter(form, "calcTextBox" + std::to_string(n), inputs[n - 1]);
              return true;
            })
      .Then("battery types chosen",
            [](TfrmInterface& form) {
              e2e::Click(form, "calcTextBox7");
              e2e::Type(form, "L");  // LiPo
              e2e::Click(form, "calcTextBox8");
              e2e::Type(form, "O");  // Other, typed in
              e2e::Type(form, "4.2");
              e2e::Press(form, GDK_KEY_Return);
              e2e::Click(form, "calcTextBox9");
              e2e::Type(form, "N");  // NiMh
              e2e::Press(form, GDK_KEY_Tab);
              return true;
            })
      .Then("results shown", e2e::UntilShown(kResults, &seen))
      .Then("head speed colours noted",
            [&](TfrmInterface& form) {
              for (int i = 0; i < 3; ++i) colours[i] = FontColour(form, 13 + i);
              return true;
            })
      .Then("shot", e2e::ShotStep("e2e_governor_calculator", &shot))
      .Then("exit", [](TfrmInterface& form) { return e2e::Choose(form, "Exit1"); });
  EXPECT_EQ(run.Run(std::chrono::seconds(50)), 0);
  EXPECT_EQ(run.timedOut, "");

  EXPECT_EQ(seen, kResults);
  // Short of the wanted head speed: red; else the page's own text colour.
  EXPECT_EQ(colours[2], 0xFFFF0000u);
  EXPECT_NE(colours[0], colours[2]);
  EXPECT_EQ(colours[1], colours[0]);
  EXPECT_TRUE(shot);
  EXPECT_NE(app::testing::ReadLang(run.folder).find("\nlang=0"), std::string::npos);
}

}  // namespace
