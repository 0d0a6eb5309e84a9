// The main window's data recorder page: loading a recorder file into its
// two tables, the chart's lines, the start and save buttons (the form
// leaves them disabled) and the tables the device's data log fills.
#include <array>
#include <cstdint>
#include <vector>

#include "app/DataRecorder.h"
#include "app/MainForm.h"
#include "app/MainFormDevice.h"
#include "app/MainFormParams.h"
#include "app/RecorderChart.h"
#include "app/RecorderGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/rtl/TextConvert.h"
#include "platform/rtl/TextTemplate.h"
#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_grid.h"
#include "ui/core/vg_visual.h"

namespace app {
namespace {

constexpr std::uint8_t kDataLogCommand = 14;
constexpr std::size_t kDataLogBuffer = 32768;

// The record the page's tables hold.
RecorderRecord TablesRecord(vg::TvgStringGrid& samples, vg::TvgStringGrid& statistics) {
  RecorderRecord record;
  record.RowCount = samples.RowCount();
  for (int row = 1; row < record.RowCount; ++row) {
    std::array<std::string, 4> cells;
    for (int column = 0; column < 4; ++column) cells[column] = rtl::Utf16ToUtf8(samples.GetCells(column, row));
    record.Samples.push_back(cells);
  }
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column)
      record.Statistics[row][column] = rtl::Utf16ToUtf8(statistics.GetCells(column + 1, row));
  return record;
}

}  // namespace

void TfrmInterface::btnLoadClick(rtl::TObject*) {
  auto* dialog = Node<gui::TOpenDialog>("OpenDialog1");
  auto* samples = Node<vg::TvgStringGrid>("StringGrid1");
  auto* statistics = Node<vg::TvgStringGrid>("StringGrid2");
  if (!dialog || !samples || !statistics || !Params().RunFileDialog(*dialog)) return;
  TRecorderGrid sampleTable(*samples), statisticsTable(*statistics);
  try {
    ShowRecord(ReadRecorderFile(dialog->FileName), sampleTable, statisticsTable);
  } catch (const ERecordTooLong& e) {
    const std::string text =
        LangText("RecordTooLong", IsChinese() ? "此记录有 {count} 个数据，超过可显示的 {most} 个，未载入。"
                                              : "This record holds {count} samples, more than the {most} the "
                                                "page can show; it was not loaded.");
    ShowInfo(rtl::FillPlaces(text, {{"count", std::to_string(e.Samples())},
                                    {"most", std::to_string(kMaxRecorderSamples)}}),
             device::IMessageSink::kInfoBox);
  }
}

void TfrmInterface::btnSaveClick(rtl::TObject*) {
  auto* dialog = Node<gui::TSaveDialog>("SaveDialog1");
  auto* samples = Node<vg::TvgStringGrid>("StringGrid1");
  auto* statistics = Node<vg::TvgStringGrid>("StringGrid2");
  if (!dialog || !samples || !statistics || !Params().RunFileDialog(*dialog)) return;
  WriteRecorderFile(dialog->FileName, TablesRecord(*samples, *statistics));
}

// Toggles between its start and stop texts; a start reads the device's data
// log into the tables (which happens only while a device job holds the link).
void TfrmInterface::btnStartClick(rtl::TObject*) {
  auto* button = Node<vg::TvgButton>("btnStart");
  auto* samples = Node<vg::TvgStringGrid>("StringGrid1");
  if (!button || !samples) return;
  const bool chinese = IsChinese();
  const rtl::WideString start = rtl::W(LangIni().ReadString("common", chinese ? "cStart1" : "eStart1", ""));
  const rtl::WideString stop = rtl::W(LangIni().ReadString("common", chinese ? "cStart2" : "eStart2", ""));
  if (button->Text() != start) {
    button->SetText(start);
    return;
  }
  button->SetText(stop);
  device_->State().Recorder = device::RecorderStats{};
  samples->SetRowCount(2);
  samples->SetCells(0, 1, {});
  std::vector<std::uint8_t> buffer(kDataLogBuffer);
  try {
    device_->Link().ReadBlocks(kDataLogCommand, buffer, true);
  } catch (const std::exception&) {
    // A broken read ends the record where it is; the page keeps what arrived.
  }
  button->SetText(start);
}

void TfrmInterface::PlotGrid1Paint(rtl::TObject*, vg::TvgCanvas* canvas, const vg::TvgRect& paintRect) {
  if (canvas) PaintRecorderChart(*canvas, paintRect);
}

// ----- the tables the device part's data-log decoding fills

namespace {

vg::TvgStringGrid* Grid(TfrmInterface& form, const char* name) { return form.Node<vg::TvgStringGrid>(name); }

}  // namespace

int MainFormDevice::RowCount() {
  auto* grid = Grid(form_, "StringGrid1");
  return grid ? grid->RowCount() : 0;
}

void MainFormDevice::SetRowCount(int rows) {
  if (auto* grid = Grid(form_, "StringGrid1")) grid->SetRowCount(rows);
}

std::string MainFormDevice::Cell(int col, int row) {
  auto* grid = Grid(form_, "StringGrid1");
  return grid ? rtl::Utf16ToUtf8(grid->GetCells(col, row)) : std::string();
}

void MainFormDevice::SetCell(int col, int row, const std::string& text) {
  if (auto* grid = Grid(form_, "StringGrid1")) grid->SetCells(col, row, rtl::W(text));
}

void MainFormDevice::SetSummaryCell(int col, int row, const std::string& text) {
  if (auto* grid = Grid(form_, "StringGrid2")) grid->SetCells(col, row, rtl::W(text));
}

void MainFormDevice::RepaintChart() {
  if (auto* chart = form_.Node<vg::TvgVisualObject>("PlotGrid1")) chart->Repaint();
}

}  // namespace app
