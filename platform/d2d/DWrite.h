#pragma once
// The text-layout service of the second canvas back-end: a text format (family,
// weight, style, size), a laid-out text in a box with wrapping, alignment,
// decorations and metrics, and a renderer interface that receives the laid-out
// glyph runs with their baseline origins, from which glyph outlines can be
// taken. Laid out and drawn with pango at 96 pixels per inch: sizes are
// pixels. Families that are not installed fall back as fontconfig decides.
#include <pango/pango.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d2d/D2D.h"

namespace d2d {

enum class FontWeight { Normal = 400, Bold = 700 };
enum class FontStyle { Normal = 0, Oblique = 1, Italic = 2 };
enum class FontStretch { Normal = 5 };
enum class WordWrapping { Wrap = 0, NoWrap = 1 };
enum class ParagraphAlignment { Near = 0, Far = 1, Center = 2 };
enum class TextAlignment { Leading = 0, Trailing = 1, Center = 2 };

struct TextFormat {
  std::u16string family;
  FontWeight weight = FontWeight::Normal;
  FontStyle style = FontStyle::Normal;
  FontStretch stretch = FontStretch::Normal;
  float size = 12;  // pixels
  std::string locale = "en-us";
};

/// Where the text's lines lie inside the layout box.
struct TextMetrics {
  float left = 0, top = 0;
  float width = 0, widthIncludingTrailingWhitespace = 0, height = 0;
};

/// One cluster of a laid-out text: how far it advances and how many UTF-16
/// units of the text it covers.
struct ClusterMetrics {
  float width = 0;
  std::uint32_t length = 0;
};

/// The shared state of the text service: its own font map and one layout
/// context (96 pixels per inch, grey antialiasing, unhinted metrics, so that
/// measures do not depend on the screen). Layouts made from it must not
/// outlive it.
class TextFactory {
 public:
  TextFactory();
  ~TextFactory();
  TextFactory(const TextFactory&) = delete;
  TextFactory& operator=(const TextFactory&) = delete;
  PangoContext* Context() const { return context_; }

 private:
  PangoFontMap* fontMap_;
  PangoContext* context_;
};

/// A run of glyphs of one font on one line.
class GlyphRun {
 public:
  GlyphRun(PangoFont* font, PangoGlyphString* glyphs) : font_(font), glyphs_(glyphs) {}
  /// Writes the run's outline, relative to its baseline origin, into sink.
  void GetGlyphRunOutline(PathGeometry::Sink& sink) const;

 private:
  PangoFont* font_;
  PangoGlyphString* glyphs_;
};

/// Receives what TextLayout::Draw lays out. `context` is passed through.
class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  virtual HRESULT DrawGlyphRun(void* context, float baselineOriginX, float baselineOriginY,
                               const GlyphRun& run) = 0;
};

/// A text laid out in a box of maxWidth x maxHeight; alignments place the
/// lines inside the box (and outside it when they do not fit). Without
/// wrapping the lines keep their length whatever the width.
class TextLayout {
 public:
  TextLayout(const TextFactory& factory, const std::u16string& text, const TextFormat& format,
             float maxWidth, float maxHeight);
  ~TextLayout();
  TextLayout(const TextLayout&) = delete;
  TextLayout& operator=(const TextLayout&) = delete;

  void SetWordWrapping(WordWrapping wrapping);
  void SetUnderline(bool underline);
  void SetStrikethrough(bool strikethrough);
  void SetParagraphAlignment(ParagraphAlignment alignment);
  void SetTextAlignment(TextAlignment alignment);
  TextMetrics GetMetrics() const;
  /// The clusters of the text in text order; a line break is a cluster of
  /// no width.
  std::vector<ClusterMetrics> GetClusterMetrics() const;
  /// Hands each glyph run to renderer with its baseline origin (origin plus
  /// its place in the box).
  HRESULT Draw(void* context, TextRenderer& renderer, float originX, float originY) const;
  /// Draws the text on cr with its current source, the box's corner at origin.
  void Show(cairo_t* cr, Point2F origin) const;
  float MaxWidth() const { return maxWidth_; }
  float MaxHeight() const { return maxHeight_; }

 private:
  void AddAttribute(PangoAttribute* attribute);
  // The offset of the layout's logical rectangle inside the box.
  Point2F Offset() const;

  PangoLayout* layout_ = nullptr;
  float maxWidth_, maxHeight_;
  WordWrapping wrapping_ = WordWrapping::Wrap;
  ParagraphAlignment paragraph_ = ParagraphAlignment::Near;
  TextAlignment alignment_ = TextAlignment::Leading;
};

}  // namespace d2d
