#pragma once
// Value types, constants and object handles of the GDI+ flat API as this
// program uses it. Numbers of every enumeration are GDI+'s own, so callers can
// pass the numbers they store. Handles are opaque: only the implementation that
// created one may be given it back (see GdiPlus.h).
#include <cstdint>

namespace gdip {

using REAL = float;
using INT = std::int32_t;
using UINT = std::uint32_t;
using BOOL = std::int32_t;
using BYTE = std::uint8_t;
using ARGB = std::uint32_t;  // straight (not premultiplied) alpha, red, green, blue
using WCHAR = char16_t;
using HRESULT = std::int32_t;
using GraphicsState = UINT;
using PixelFormat = INT;
using LANGID = std::uint16_t;

enum Status : INT {
  Ok = 0, GenericError = 1, InvalidParameter = 2, OutOfMemory = 3, ObjectBusy = 4,
  InsufficientBuffer = 5, NotImplemented = 6, Win32Error = 7, WrongState = 8, Aborted = 9,
  FileNotFound = 10, ValueOverflow = 11, AccessDenied = 12, UnknownImageFormat = 13,
  FontFamilyNotFound = 14, FontStyleNotFound = 15, NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17, GdiplusNotInitialized = 18, PropertyNotFound = 19,
  PropertyNotSupported = 20
};

enum FillMode : INT { FillModeAlternate = 0, FillModeWinding = 1 };
enum SmoothingMode : INT {
  SmoothingModeDefault = 0, SmoothingModeHighSpeed = 1, SmoothingModeHighQuality = 2,
  SmoothingModeNone = 3, SmoothingModeAntiAlias = 4
};
enum InterpolationMode : INT {
  InterpolationModeDefault = 0, InterpolationModeLowQuality = 1, InterpolationModeHighQuality = 2,
  InterpolationModeBilinear = 3, InterpolationModeBicubic = 4, InterpolationModeNearestNeighbor = 5,
  InterpolationModeHighQualityBilinear = 6, InterpolationModeHighQualityBicubic = 7
};
enum PixelOffsetMode : INT {
  PixelOffsetModeDefault = 0, PixelOffsetModeHighSpeed = 1, PixelOffsetModeHighQuality = 2,
  PixelOffsetModeNone = 3, PixelOffsetModeHalf = 4
};
enum CompositingMode : INT { CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1 };
enum TextRenderingHint : INT {
  TextRenderingHintSystemDefault = 0, TextRenderingHintSingleBitPerPixelGridFit = 1,
  TextRenderingHintSingleBitPerPixel = 2, TextRenderingHintAntiAliasGridFit = 3,
  TextRenderingHintAntiAlias = 4, TextRenderingHintClearTypeGridFit = 5
};
enum MatrixOrder : INT { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };
enum CombineMode : INT {
  CombineModeReplace = 0, CombineModeIntersect = 1, CombineModeUnion = 2, CombineModeXor = 3,
  CombineModeExclude = 4, CombineModeComplement = 5
};
enum Unit : INT {
  UnitWorld = 0, UnitDisplay = 1, UnitPixel = 2, UnitPoint = 3, UnitInch = 4, UnitDocument = 5,
  UnitMillimeter = 6
};
enum LineCap : INT { LineCapFlat = 0, LineCapSquare = 1, LineCapRound = 2, LineCapTriangle = 3 };
enum DashCap : INT { DashCapFlat = 0, DashCapRound = 2, DashCapTriangle = 3 };
enum LineJoin : INT { LineJoinMiter = 0, LineJoinBevel = 1, LineJoinRound = 2, LineJoinMiterClipped = 3 };
enum DashStyle : INT {
  DashStyleSolid = 0, DashStyleDash = 1, DashStyleDot = 2, DashStyleDashDot = 3,
  DashStyleDashDotDot = 4, DashStyleCustom = 5
};
enum WrapMode : INT {
  WrapModeTile = 0, WrapModeTileFlipX = 1, WrapModeTileFlipY = 2, WrapModeTileFlipXY = 3,
  WrapModeClamp = 4
};
enum StringAlignment : INT { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };
enum StringFormatFlags : INT {
  StringFormatFlagsMeasureTrailingSpaces = 0x0800, StringFormatFlagsNoWrap = 0x1000,
  StringFormatFlagsLineLimit = 0x2000, StringFormatFlagsNoClip = 0x4000
};
enum FontStyle : INT {
  FontStyleRegular = 0, FontStyleBold = 1, FontStyleItalic = 2, FontStyleBoldItalic = 3,
  FontStyleUnderline = 4, FontStyleStrikeout = 8
};
enum RotateFlipType : INT {
  RotateNoneFlipNone = 0, Rotate90FlipNone = 1, Rotate180FlipNone = 2, Rotate270FlipNone = 3,
  RotateNoneFlipX = 4, Rotate90FlipX = 5, Rotate180FlipX = 6, Rotate270FlipX = 7
};
enum ImageLockMode : UINT { ImageLockModeRead = 1, ImageLockModeWrite = 2 };
enum ColorAdjustType : INT { ColorAdjustTypeDefault = 0, ColorAdjustTypeBitmap = 1 };
enum ColorMatrixFlags : INT { ColorMatrixFlagsDefault = 0 };
enum PathPointType : BYTE {
  PathPointTypeStart = 0, PathPointTypeLine = 1, PathPointTypeBezier = 3,
  PathPointTypePathTypeMask = 0x07, PathPointTypeCloseSubpath = 0x80
};
enum EncoderParameterValueType : UINT { EncoderParameterValueTypeLong = 4 };

/// 32 bits a pixel, premultiplied alpha: the layout of the toolkit's bitmaps
/// and of cairo's ARGB32 (one native-endian word per pixel, rows top-down).
constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;
/// 32 bits a pixel, straight alpha.
constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;

struct PointF { REAL X = 0, Y = 0; };
struct RectF { REAL X = 0, Y = 0, Width = 0, Height = 0; };
struct Rect { INT X = 0, Y = 0, Width = 0, Height = 0; };
using GpPointF = PointF;
using GpRectF = RectF;
using GpRect = Rect;

/// A 5 x 5 colour matrix, rows then columns; row 3, column 3 scales alpha.
struct ColorMatrix { REAL m[5][5]; };

struct CharacterRange { INT First = 0, Length = 0; };

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2, Data3;
  std::uint8_t Data4[8];
};
using CLSID = GUID;
bool operator==(const GUID& a, const GUID& b);

/// The EncoderQuality parameter: {1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}.
extern const GUID EncoderQuality;

struct EncoderParameter {
  GUID Guid;
  UINT NumberOfValues;
  UINT Type;
  void* Value;
};
/// Count entries follow one another; the caller sizes the block for them.
struct EncoderParameters {
  UINT Count;
  EncoderParameter Parameter[1];
};

/// One encoder record; the strings live in the same buffer after the records.
struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName;
  const WCHAR* FormatDescription;
  const WCHAR* FilenameExtension;
  const WCHAR* MimeType;
  UINT Flags;
  UINT Version;
};

/// Pixels handed out by GdipBitmapLockBits: Scan0 points into the bitmap's
/// own memory until GdipBitmapUnlockBits.
struct BitmapData {
  UINT Width;
  UINT Height;
  INT Stride;
  gdip::PixelFormat PixelFormat;
  void* Scan0;
  std::uintptr_t Reserved;
};

/// The caller allocates Points and Types for Count entries (GdipGetPointCount).
struct GpPathData {
  INT Count;
  PointF* Points;
  BYTE* Types;
};

struct GdiplusStartupInput {
  UINT GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = 0;
  BOOL SuppressExternalCodecs = 0;
};

/// Object handles. Each implementation derives its own objects from these.
// The base of every object the flat API hands out. Not copyable: an object
// owns its cairo and pango handles, which a copy would free twice.
class GpObject {
 public:
  GpObject() = default;
  GpObject(const GpObject&) = delete;
  GpObject& operator=(const GpObject&) = delete;
  virtual ~GpObject() = default;
};
class GpGraphics : public GpObject {};
class GpPen : public GpObject {};
class GpBrush : public GpObject {};
class GpSolidFill : public GpBrush {};
class GpLineGradient : public GpBrush {};
class GpPathGradient : public GpBrush {};
class GpTexture : public GpBrush {};
class GpPath : public GpObject {};
class GpRegion : public GpObject {};
class GpMatrix : public GpObject {};
class GpImage : public GpObject {};
class GpBitmap : public GpImage {};
class GpImageAttributes : public GpObject {};
class GpFontFamily : public GpObject {};
class GpFont : public GpObject {};
class GpFontCollection : public GpObject {};
class GpStringFormat : public GpObject {};

// COM stream results this program tests.
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001u);
constexpr HRESULT STG_E_INVALIDPOINTER = static_cast<HRESULT>(0x80030009u);
constexpr HRESULT STG_E_REVERTED = static_cast<HRESULT>(0x80030102u);
constexpr HRESULT STG_E_CANTSAVE = static_cast<HRESULT>(0x80030103u);

enum StreamSeek : UINT { STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2 };
enum StgType : UINT { STGTY_STREAM = 2 };
// Not an enumerator named LOCK_WRITE: glibc defines that name as a macro.
constexpr UINT kLockWrite = 1;

struct FILETIME { std::uint32_t dwLowDateTime = 0, dwHighDateTime = 0; };

struct STATSTG {
  WCHAR* pwcsName;
  UINT type;
  std::uint64_t cbSize;
  FILETIME mtime, ctime, atime;
  UINT grfMode;
  UINT grfLocksSupported;
  CLSID clsid;
  UINT grfStateBits;
  UINT reserved;
};

/// The byte stream pictures are read from and written to, in the order and
/// with the results of a COM stream. Reference counted: a new object starts at
/// one reference; Release frees it at zero. The decoder reads from the
/// current position to the end and seeks back, so one stream can be decoded
/// twice.
class IStream {
 public:
  virtual UINT AddRef() = 0;
  virtual UINT Release() = 0;
  virtual HRESULT Read(void* pv, UINT cb, UINT* pcbRead) = 0;
  virtual HRESULT Write(const void* pv, UINT cb, UINT* pcbWritten) = 0;
  virtual HRESULT Seek(std::int64_t dlibMove, UINT dwOrigin, std::uint64_t* plibNewPosition) = 0;
  virtual HRESULT SetSize(std::uint64_t libNewSize) = 0;
  virtual HRESULT CopyTo(IStream* stm, std::uint64_t cb, std::uint64_t* pcbRead,
                         std::uint64_t* pcbWritten) = 0;
  virtual HRESULT Commit(UINT grfCommitFlags) = 0;
  virtual HRESULT Revert() = 0;
  virtual HRESULT LockRegion(std::uint64_t libOffset, std::uint64_t cb, UINT dwLockType) = 0;
  virtual HRESULT UnlockRegion(std::uint64_t libOffset, std::uint64_t cb, UINT dwLockType) = 0;
  virtual HRESULT Stat(STATSTG* pstatstg, UINT grfStatFlag) = 0;
  virtual HRESULT Clone(IStream** ppstm) = 0;

 protected:
  virtual ~IStream() = default;
};

}  // namespace gdip
