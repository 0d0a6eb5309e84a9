#include <memory>

#include "platform/rtl/Exceptions.h"
#include "ui/render/vg_canvas_gdip.h"
#include "ui/render/vg_filter_gdip.h"
#include "ui/render/vg_gdip_internal.h"

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

namespace gdip_internal {

gdip::GdiPlus& G() {
  gdip::GdiPlus* api = GDIPApi();
  if (!api) throw rtl::EInvalidOperation("The GDI+ back-end is not started");
  return *api;
}

gdip::GpImageAttributes* AlphaAttributes(float opacity) {
  if (opacity == 1) return nullptr;
  gdip::GpImageAttributes* attributes = nullptr;
  G().GdipCreateImageAttributes(&attributes);
  gdip::ColorMatrix matrix{};
  for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1;
  matrix.m[3][3] = opacity;
  G().GdipSetImageAttributesColorMatrix(attributes, gdip::ColorAdjustTypeBitmap, 1, &matrix,
                                        nullptr, gdip::ColorMatrixFlagsDefault);
  return attributes;
}

}  // namespace gdip_internal

}  // namespace vg
