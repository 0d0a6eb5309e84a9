// A user in front of the running program: finds what the windows show and
// acts through them as a person would, with the pointer, the keyboard and
// the main menu. Used from the steps of a ProgramRun (tests/app/program_run.h).
//
// Actions are carried out from the main loop just after the step that asks
// for them returns: a click may open a modal window, whose loop must not run
// inside a step. Each action returns false at once when a user could not do
// it (the node is hidden, disabled or not there; the menu item is hidden or
// greyed), so a step can report that plainly.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainForm.h"
#include "app/SceneForm.h"
#include "ui/core/vg_visual.h"

namespace e2e {

using app::TSceneForm;

/// Writes the deployment switch file of the program folder `folder` that
/// shows every menu and option (the link-adapter modes and the motor
/// checker among them are hidden by default).
void ShowEveryFeature(const std::filesystem::path& folder);

/// Flips one byte of the enciphered package of `version` in the settings
/// database `database`. The cipher keeps byte positions, so the flip lands
/// in part A's hex text. Fails the test when the package is not there.
void FlipPackageByte(const std::filesystem::path& database, const std::string& version);

/// Frames with one of `commands` under the controller's classic markers
/// that reached the simulated adapter at `adapterPath`: what the physical
/// world saw; -1 without a simulated adapter.
int ClassicFramesSent(const std::string& adapterPath, std::initializer_list<std::uint8_t> commands);

/// Frames of a firmware upload (either part, command or data), as
/// ClassicFramesSent counts them.
int FirmwareFramesSent(const std::string& adapterPath);

/// The window the user faces: the innermost modal window, else the main one.
TSceneForm* Front();

/// A window of the class `className` that `owner` owns and that is on
/// screen (the progress box, a dialog), or nullptr.
TSceneForm* ShownWindow(gui::TForm& owner, std::string_view className);

/// Nothing in the user's way: no modal window, no progress box, and the
/// main window takes input.
bool Settled(app::TfrmInterface& form);
/// The lamp beside the device kind shows a device connected.
bool LampOn(app::TfrmInterface& form);
/// The page list marks the entry of the page shown.
bool ListMarksShownPage(app::TfrmInterface& form);
/// The front window when it is a dialog of the class `className`, or nullptr.
TSceneForm* Dialog(std::string_view className);

/// The named node of the form if a user could reach it: on screen, shown
/// along all its parents and enabled; nullptr otherwise.
vg::TvgVisualObject* Reachable(TSceneForm& form, std::string_view name);

/// Moves the pointer to the node's centre (or to `at`, in the node's own
/// coordinates) and clicks the left button there, through the window.
bool Click(TSceneForm& form, std::string_view name);
bool ClickNode(TSceneForm& form, vg::TvgVisualObject& node);
bool ClickNodeAt(TSceneForm& form, vg::TvgVisualObject& node, vg::TvgPoint at);
/// A double click at the node's centre.
bool DoubleClick(TSceneForm& form, std::string_view name);

/// The on-screen window of the named combo box's open drop-down list, or
/// nullptr (drop-downs open in popup windows of their own).
GtkWidget* DropDownWindow(TSceneForm& form, std::string_view comboBox);
/// Clicks entry `index` (one the list shows without scrolling) of the named
/// combo box's open drop-down list, in its popup window; false while the
/// list is not on screen.
bool ClickDropDownEntry(TSceneForm& form, std::string_view comboBox, int index);

/// Chooses the named item of the form's main menu, opening its parents.
bool Choose(TSceneForm& form, std::string_view item);

/// Presses and releases a key (a GDK keyval) with modifiers on the form.
void Press(TSceneForm& form, unsigned keyval, unsigned modifiers = 0);
/// Types UTF-8 text on the form, one key per character.
void Type(TSceneForm& form, std::string_view text);
/// Clicks the text box, selects all it holds (End, then Shift+Home) and
/// types `text` over it, then presses Enter.
bool Enter(TSceneForm& form, std::string_view textBox, std::string_view text);

/// The text a node shows (its published Text: labels, text boxes, buttons,
/// list items; the box of a compound box; a drop-down list's chosen entry),
/// as UTF-8; empty when the node is not there.
std::string Shows(TSceneForm& form, std::string_view name);
/// The entry a drop-down list box shows (its chosen item's text), as UTF-8;
/// empty when no entry is chosen or the node is not a drop-down list.
std::string ShownEntry(TSceneForm& form, std::string_view comboBox);
/// The text of the label a user reads as a field's name: the nearest one
/// on screen left of the named node, on its row (same parent); empty when
/// there is none.
std::string LabelBeside(TSceneForm& form, std::string_view name);
/// The caption of a main-menu item as shown (its mnemonic marks removed).
std::string MenuCaption(TSceneForm& form, std::string_view item);
/// Whether the named check box or radio button shows its check mark.
bool Checked(TSceneForm& form, std::string_view name);

/// A step that saves what the front window shows as the artifact
/// <name>.png: it has the whole scene drawn again, waits for that draw,
/// then gives the window one more poll to show it. `saved` (if given) tells
/// whether the file was written.
std::function<bool(app::TfrmInterface&)> ShotStep(std::string name, bool* saved = nullptr);

/// Node names with the texts they show.
using Texts = std::map<std::string, std::string>;
/// A step that waits until the named nodes of the front window show the
/// given texts; `seen` (if given) keeps what they showed at the last poll.
std::function<bool(app::TfrmInterface&)> UntilShown(Texts expected, Texts* seen = nullptr);

/// A step that clicks `node` every half second until `done` holds: a click
/// while a device job keeps the window disabled goes nowhere.
std::function<bool(app::TfrmInterface&)> ClickUntil(std::string node, std::function<bool(app::TfrmInterface&)> done);

/// A step that reads the text of the message box in front (its Label1) into
/// `text` and clicks its OK button; done once the box has gone.
std::function<bool(app::TfrmInterface&)> AnswerBoxStep(std::string* text);

/// A step that opens the named drop-down list (a combo box) of the front
/// window with a click, then clicks its entry showing `entry` in the list's
/// own window; done once the list has closed with that entry chosen.
/// `offered` (if given) receives every entry the list showed.
std::function<bool(app::TfrmInterface&)> ChooseEntryStep(std::string comboBox, std::string entry,
                                                         std::vector<std::string>* offered = nullptr);

}  // namespace e2e
