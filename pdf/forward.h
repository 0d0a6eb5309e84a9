#pragma once
// Forward declarations of the PDF writer's main classes.
namespace pdf {
class TPdfObject;
class TPdfDictionary;
class TPdfArray;
class TPdfStream;
class TPdfXObject;
class TPdfImage;
class TPdfXref;
class TPdfDoc;
class TPdfCanvas;
class TPdfFont;
}  // namespace pdf
