#pragma once
// The toolkit's controls: chief header, and the start-up of the control
// units.
#include "ui/controls/vg_anglebutton.h"
#include "ui/controls/vg_aniindicator.h"
#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_calendarbox.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_colorbutton.h"
#include "ui/controls/vg_colorpanel.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_compound.h"
#include "ui/controls/vg_combotextbox.h"
#include "ui/controls/vg_custombutton.h"
#include "ui/controls/vg_dockbar.h"
#include "ui/controls/vg_droptarget.h"
#include "ui/controls/vg_expander.h"
#include "ui/controls/vg_glyphbuttons.h"
#include "ui/controls/vg_grid.h"
#include "ui/controls/vg_gradientedit.h"
#include "ui/controls/vg_imagecontrol.h"
#include "ui/controls/vg_inspector.h"
#include "ui/controls/vg_imagelistbox.h"
#include "ui/controls/vg_imageviewer.h"
#include "ui/controls/vg_iphonebutton.h"
#include "ui/controls/vg_listbox.h"
#include "ui/controls/vg_memo.h"
#include "ui/controls/vg_numberbox.h"
#include "ui/controls/vg_panels.h"
#include "ui/controls/vg_plotgrid.h"
#include "ui/controls/vg_popupbox.h"
#include "ui/controls/vg_progressbar.h"
#include "ui/controls/vg_splitter.h"
#include "ui/controls/vg_tabcontrol.h"
#include "ui/controls/vg_textbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"
#include "ui/controls/vg_treeview.h"
#include "ui/render/vg_scrollbar.h"
#include "ui/controls/vg_window.h"

namespace vg {

// Registers the control classes (palette categories and streaming), the
// shape and layout classes the built-in style book is made of, and the
// embedded book itself, so the book is readable on first need. Call after
// vgStartCore(); idempotent.
void RegisterControlClasses();

}  // namespace vg
