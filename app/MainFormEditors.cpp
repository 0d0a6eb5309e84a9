// The main window opens the curve and table editors for a table parameter:
// it hands an editor the parameter's table, places it beside the pages and
// takes the table back when the user confirms.
#include <memory>

#include "app/DialogResources.h"
#include "app/EditorTables.h"
#include "app/FrequencyEditorForm.h"
#include "app/MainForm.h"
#include "app/MainFormParams.h"
#include "app/TableEditorForm.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextConvert.h"

namespace app {
namespace {

struct FormFree {
  void operator()(gui::TForm* form) const { form->Free(); }
};
template <class T>
using TOwnedForm = std::unique_ptr<T, FormFree>;

// Where the help pane stands beside the pages, and where it moves while a
// curve editor covers them.
constexpr int kWebLeft = 563, kWebLeftBesideGraph = 900, kWebLeftBesideGraph2 = 800;

void SetAxisLabels(TCurveEditorForm& editor, char axis, const std::vector<std::string>& texts) {
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (vg::TvgLabel* label = editor.AxisLabel(axis, static_cast<int>(i) + 1)) label->SetText(rtl::W(texts[i]));
}

// Mode 9: the rpm axis from high down to low in eight steps.
std::vector<std::string> RpmAxis(int low, int high) {
  const int step = (high - low) / 8;
  std::vector<std::string> texts;
  for (int k = 0; k < 8; ++k) texts.push_back(std::to_string(high - k * step));
  texts.push_back(std::to_string(low));
  return texts;
}

}  // namespace

void MainFormParams::ShowHelpColumn(bool show, int webLeft) {
  if (auto* help = form_.Node<vg::TvgVisualObject>("Panel6")) help->SetVisible(show);
  if (auto* web = form_.Node<vg::TvgVisualObject>("web")) web->Position()->SetX(static_cast<float>(webLeft));
}

std::optional<std::string> MainFormParams::Edit(const params::TableEditRequest& request, bool reportCapture) {
  RegisterDialogResources();
  if (request.mode == 3 || request.mode == 4) return EditTable(request);
  return EditCurve(request, reportCapture);
}

std::optional<std::string> MainFormParams::EditCurve(const params::TableEditRequest& request, bool reportCapture) {
  const params::ITEM& item = description_.Version().items.at(static_cast<std::size_t>(request.item));
  const bool frequency = request.mode == 12;
  FreeReportEditor();
  ShowHelpColumn(false, frequency ? kWebLeftBesideGraph2 : kWebLeftBesideGraph);
  struct HelpBack {
    MainFormParams& self;
    bool keep = false;
    ~HelpBack() {
      if (!keep) self.ShowHelpColumn(true, kWebLeft);
    }
  } helpBack{*this};

  TOwnedForm<TCurveEditorForm> editor(frequency ? static_cast<TCurveEditorForm*>(new TfrmGraph2(&form_))
                                                : new TfrmGraph(&form_));
  editor->ControlsScene->SetStyle(form_.ControlsScene->Style());
  const auto* pages = form_.Node<vg::TvgVisualObject>("Panel1");
  editor->SetLeft(form_.Left() + static_cast<int>(rtl::Trunc(pages ? pages->Width() : 0)));
  editor->SetTop(form_.Top() + form_.Height() - form_.ClientHeight());
  editor->btnInit->SetText(rtl::W(LangText("btn_Init", "Init")));
  editor->btnOk->SetText(rtl::W(LangText("btn_Ok", "Ok")));
  editor->btnCancel->SetText(rtl::W(LangText("btn_Cancel", "Cancel")));
  editor->Label3->SetText(rtl::W(Chinese() ? item.cdetail : item.edetail));

  if (request.mode == 8) {
    auto& graph = static_cast<TfrmGraph&>(*editor);
    SetAxisLabels(graph, 'y', {"100%", "87.5%", "75%", "62.5%", "50%", "37.5%", "25%", "12.5%", "0%"});
    SetAxisLabels(graph, 'x', {"0%", "12.5%", "25%", "37.5%", "50%", "62.5%", "75%", "87.5%", "100%"});
    graph.State = CurveOf256Bytes(request.table, item.maxnode);
  } else if (request.mode == 9) {
    auto& graph = static_cast<TfrmGraph&>(*editor);
    SetAxisLabels(graph, 'y', RpmAxis(request.low, request.high));
    SetAxisLabels(graph, 'x', {"1", "8", "16", "24", "32", "40", "48", "56", "64"});
    graph.State = CurveOfRpmTable(request.table, request.low, request.high, request.lockIndex, item.maxnode);
  } else {
    auto& graph = static_cast<TfrmGraph2&>(*editor);
    const bool brake = request.high == 32;  // the brake frequency's range ends at 32
    SetAxisLabels(graph, 'y', brake ? std::vector<std::string>{"16k", "12k", "8k", "4k", "0k"}
                                    : std::vector<std::string>{"32k", "24k", "16k", "8k", "0k"});
    graph.State = CurveOfFrequencyBytes(request.table, request.low, request.high, item.maxnode);
  }
  editor->PlotGrid1->Repaint();

  if (reportCapture) {
    editor->Show();
    reportEditor_ = editor.release();
    helpBack.keep = true;
    return std::nullopt;
  }
  if (editor->ShowModal() != gui::mrOk) return std::nullopt;
  if (request.mode == 8) return BytesOf256PointCurve(static_cast<TfrmGraph&>(*editor).State);
  if (request.mode == 9) return RpmTableOfCurve(static_cast<TfrmGraph&>(*editor).State, request.low, request.high);
  return FrequencyBytesOfCurve(static_cast<TfrmGraph2&>(*editor).State, request.low);
}

void MainFormParams::FreeReportEditor() {
  if (!reportEditor_) return;
  reportEditor_->Free();
  reportEditor_ = nullptr;
  ShowHelpColumn(true, kWebLeft);
}

std::optional<std::string> MainFormParams::EditTable(const params::TableEditRequest& request) {
  const bool rpm = request.mode == 3;
  TOwnedForm<TfrmAdjust> editor(new TfrmAdjust(&form_));
  editor->ControlsScene->SetStyle(form_.ControlsScene->Style());
  editor->SetLeft(form_.Left() + form_.Width() - editor->Width() - 10);
  editor->SetTop(form_.Top() + (form_.Height() - editor->Height()) / 2);
  editor->CheckBox1->SetText(rtl::W(LangText("btn_liner", "liner on two click")));
  editor->btnOk->SetText(rtl::W(LangText("btn_Ok", "Ok")));
  editor->btnCancel->SetText(rtl::W(LangText("btn_Cancel", "Cancel")));

  const int low = rpm ? request.low : 0, high = rpm ? request.high : 255;
  const std::vector<int> values = TableValues(request.table, request.mode);
  editor->BuildTracks(static_cast<int>(values.size()), low, high);
  for (int i = 0; i < editor->BarCount(); ++i) {
    vg::TvgTrackBar& bar = editor->Bar(i);
    const int value = values[static_cast<std::size_t>(i)];
    bar.SetValue(static_cast<float>(rpm && value == 0 ? low : value));
    if (rpm) bar.SetFrequency(50);
    bar.SetHint(rtl::W(BarText(bar.Value())));
  }
  if (editor->ShowModal() != gui::mrOk) return std::nullopt;
  return TableText(editor->Values(), request.mode);
}

}  // namespace app
