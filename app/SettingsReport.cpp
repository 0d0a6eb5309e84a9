#include "app/SettingsReport.h"

#include <algorithm>
#include <memory>

#include "app/ScenePicture.h"
#include "params/TextFunctions.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfImages.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextConvert.h"

namespace app {
namespace {

constexpr int kCalculatorEntry = 10;

bool IsCurveMode(int mode) { return mode == 8 || mode == 9 || mode == 12; }

// The window goes back to the page it showed however the run ends.
class ShownPageKept {
 public:
  explicit ShownPageKept(IReportWindow& window) : window_(window), place_(window.ShownPage()) {}
  ~ShownPageKept() {
    try {
      window_.ShowPage(place_.position, place_.entry);
    } catch (...) {  // the run's own failure, if any, is the one reported
    }
  }
  ShownPageKept(const ShownPageKept&) = delete;
  ShownPageKept& operator=(const ShownPageKept&) = delete;

 private:
  IReportWindow& window_;
  ShownPagePlace place_;
};

// Places the pictures and texts of one run on the document's page.
class ReportPage {
 public:
  ReportPage(pdf::TPdfDoc& doc, IReportWindow& window)
      : doc_(doc), window_(window), layout_(window.LangIni(), window.Chinese()) {}

  void PlaceHeader(const RaceSheetHeader& header) {
    AddPicture("header", *header.picture);
    Draw("header", layout_.HeaderPicture(header.width, header.height));
  }

  void PlaceParameterPages(const params::VERSION& description) {
    for (int i = 0; i < PageCount(description); ++i) {
      window_.ShowPage(i + 1, i + 2);
      const ReportBox box = layout_.PagePicture(i + 1, window_.PageArea());
      PlaceCaptioned("ListBoxItem" + std::to_string(i + 2), window_.PagePicture(), box,
                     Chinese() ? description.tabs[i].cname : description.tabs[i].ename);
    }
  }

  // A page's first curve goes where its keys say, each further one below
  // the one before.
  void PlaceCurves(const params::VERSION& description) {
    for (int m = 0; m < PageCount(description); ++m) {
      std::optional<ReportBox> above;
      for (const std::string& entry : params::SplitString(",", description.tabs[m].group)) {
        if (entry == "-") continue;
        const int k = rtl::StrToInt(entry);
        if (k < 0 || k >= params::MaxItems || !IsCurveMode(description.items[k].mode)) continue;
        window_.ShowPage(m + 1, m + 2);
        const std::optional<rtl::TBitmap> picture = window_.CurvePicture(k);
        if (!picture) continue;
        const params::ITEM& item = description.items[k];
        const int n = m + 1, width = picture->Width(), height = picture->Height();
        const ReportBox box = above ? layout_.CurveBelow(*above, n, width, height)
                                    : layout_.CurvePicture(n, width, height, item.mode == 12);
        PlaceCaptioned("item" + entry, *picture, box, Chinese() ? item.cname : item.ename);
        above = box;
      }
    }
  }

  void PlaceCalculatorPage(int pages) {
    window_.ShowPage(pages + 2, kCalculatorEntry);
    const ReportBox box = layout_.CalculatorPicture(window_.PageArea());
    PlaceCaptioned("ListBoxItem" + std::to_string(kCalculatorEntry), window_.PagePicture(), box,
                   window_.LangText("TabCale", "速度计算"));
  }

  void PlaceTitleAndVersion() {
    ShowLine(layout_.Title(window_.LangText("export_title", "")));
    ShowLine(layout_.Version(window_.LangText("export_version", ""), lastPictureHeight_));
  }

 private:
  static int PageCount(const params::VERSION& description) { return std::min(description.tab, params::MaxPages); }
  bool Chinese() { return window_.Chinese(); }

  void AddPicture(const std::string& name, const rtl::TJPEGImage& jpeg) {
    std::unique_ptr<pdf::TPdfXObject> image(pdf::CreatePdfImage(jpeg, "Pdf-Jpeg"));
    doc_.AddXObject(name, image.get());
    image.release();  // the document's from here on
  }

  void Draw(const std::string& name, const ReportBox& box) {
    doc_.Canvas()->DrawXObject(float(box.x), float(box.y), float(box.width), float(box.height), name);
  }

  void PlaceCaptioned(const std::string& name, const rtl::TBitmap& picture, const ReportBox& box,
                      const std::string& caption) {
    AddPicture(name, *ReportJpeg(picture));
    Draw(name, box);
    lastPictureHeight_ = box.height;
    const ReportFont font = layout_.CaptionFont();
    doc_.Canvas()->SetFont(font.name, float(font.size));
    const ReportPoint at = ReportLayout::CaptionOf(box);
    PdfShowTextAt(doc_, at.x, at.y, caption);
  }

  void ShowLine(const ReportTextLine& line) {
    if (line.text.empty()) return;
    doc_.Canvas()->SetFont(line.font.name, float(line.font.size));
    PdfShowTextAt(doc_, line.at.x, line.at.y, line.text);
  }

  pdf::TPdfDoc& doc_;
  IReportWindow& window_;
  ReportLayout layout_;
  int lastPictureHeight_ = 0;
};

}  // namespace

void PdfShowTextAt(pdf::TPdfDoc& doc, int x, int y, const std::string& utf8Text) {
  pdf::TPdfCanvas* canvas = doc.Canvas();
  canvas->BeginText();
  canvas->MoveTextPoint(float(x), float(y));
  canvas->ShowText(rtl::W(utf8Text));
  canvas->EndText();
}

void PrintSettingsReport(IReportWindow& window) {
  const params::VERSION& description = window.Description();
  if (description.tab <= 0) return;
  const std::optional<std::string> fileName = window.ChooseReportFile();
  if (!fileName) return;
  // Made now so that a file that cannot be created fails before anything
  // else; dropped unwritten on a cancel or failure.
  rtl::TAtomicFileWriter file(*fileName);
  pdf::RegisterPdfClasses();
  pdf::TPdfDoc doc;
  doc.SetDefaultPageWidth(kReportPageWidth);
  doc.SetDefaultPageHeight(kReportPageHeight);
  doc.NewDoc();
  doc.AddPage();
  ReportPage page(doc, window);
  const std::string controller = window.Controller();
  if (HasRaceSheet(controller)) {
    const std::optional<RaceSheetHeader> header = window.RunRaceSheet(*fileName);
    if (!header) return;
    page.PlaceHeader(*header);
  }
  const ShownPageKept userPage(window);
  page.PlaceParameterPages(description);
  page.PlaceCurves(description);
  if (HasCalculatorPage(controller)) page.PlaceCalculatorPage(description.tab);
  page.PlaceTitleAndVersion();
  rtl::TMemoryStream stream;
  doc.SaveToStream(stream);
  file.Write(stream.Memory(), static_cast<std::size_t>(stream.Size()));
  file.Commit();
}

}  // namespace app
