#pragma once
// Owning handles of the cairo, pango, GObject and fontconfig objects the
// GDI+ stand-in makes; each frees its object with the library's release.
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <glib-object.h>
#include <pango/pango.h>

#include "platform/rtl/Handle.h"

namespace gdip {

using CairoPtr = rtl::THandle<cairo_t, cairo_destroy>;
using CairoSurfacePtr = rtl::THandle<cairo_surface_t, cairo_surface_destroy>;
using CairoFontOptionsPtr = rtl::THandle<cairo_font_options_t, cairo_font_options_destroy>;
using PangoFontDescriptionPtr = rtl::THandle<PangoFontDescription, pango_font_description_free>;
template <class T>
using GObjectPtr = rtl::THandle<T, g_object_unref>;
using FcPatternPtr = rtl::THandle<FcPattern, FcPatternDestroy>;

}  // namespace gdip
