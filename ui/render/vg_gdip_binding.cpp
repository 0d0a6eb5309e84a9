#include <memory>

#include "platform/rtl/Exceptions.h"
#include "ui/render/vg_canvas_gdip.h"
#include "ui/render/vg_filter_gdip.h"

namespace vg {

namespace {

std::unique_ptr<gdip::GdiPlus> gLibrary;
gdip::GdiPlus* gRoute = nullptr;
std::uintptr_t gToken = 0;
gdip::GpFontFamily* gSansSerif = nullptr;

}  // namespace

gdip::GpFontFamily* GenericSansSerifFamily() {
  if (!gSansSerif && GDIPApi()) GDIPApi()->GdipGetGenericFontFamilySansSerif(&gSansSerif);
  return gSansSerif;
}

gdip::GdiPlus* GDIPApi() { return gRoute ? gRoute : gLibrary.get(); }

void RouteGDIPCalls(gdip::GdiPlus* api) { gRoute = api; }

void LoadGDIPFunctions() {
  if (!gLibrary) gLibrary = gdip::CreateCairoGdiPlus();
}

void UnloadGDIPFunctions() {
  gRoute = nullptr;
  gLibrary.reset();
}

void InitGDIP() {
  if (gLibrary) return;
  LoadGDIPFunctions();
  const gdip::GdiplusStartupInput input;
  if (const gdip::Status status = gLibrary->GdiplusStartup(&gToken, &input, nullptr);
      status != gdip::Ok) {
    gLibrary.reset();
    throw rtl::Exception(rtl::Format("GDI+ could not be started (status %d)", int(status)));
  }
}

void FreeGDIP() {
  if (!gLibrary) return;
  if (gSansSerif) gLibrary->GdipDeleteFontFamily(gSansSerif);
  gSansSerif = nullptr;
  gLibrary->GdiplusShutdown(gToken);
  UnloadGDIPFunctions();
}

void StartGdiPlusBackEnd() {
  DefaultFilterClass = &TvgFilterGdiPlus::Class;
  if (!DefaultCanvasClass) DefaultCanvasClass = &TvgCanvasGdiPlus::Class;
  DefaultPrinterCanvasClass = &TvgCanvasGdiPlus::Class;
  InitGDIP();
}

void StopGdiPlusBackEnd() { FreeGDIP(); }

}  // namespace vg
