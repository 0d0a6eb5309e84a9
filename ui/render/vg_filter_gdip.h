#pragma once
// The GDI+ image filter: reads picture files and streams into a TvgBitmap
// (whole, turned, or as a thumbnail), reports a picture's size, and writes a
// bitmap in a format chosen by file extension or format name. GDI+ reads and
// writes through COM streams, so every file or stream reaches it through
// TMyStreamAdapter.
#include <string>

#include "platform/gdiplus/GdiPlus.h"
#include "platform/rtl/Streams.h"
#include "ui/core/vg_bitmap.h"

namespace vg {

/// A COM stream over a class-library stream, with COM's result codes.
/// Reference counted: it starts at one reference and frees itself when
/// Release drops the count to 0. With soOwned it frees the stream too.
class TMyStreamAdapter final : public gdip::IStream {
 public:
  enum TStreamOwnership { soReference = 0, soOwned = 1 };

  explicit TMyStreamAdapter(rtl::TStream* stream, TStreamOwnership ownership = soReference)
      : FStream(stream), FOwnership(ownership) {}

  gdip::UINT AddRef() override { return ++refs_; }
  gdip::UINT Release() override;
  /// STG_E_INVALIDPOINTER for a nil buffer; S_FALSE when the stream raises.
  gdip::HRESULT Read(void* pv, gdip::UINT cb, gdip::UINT* pcbRead) override;
  /// STG_E_INVALIDPOINTER for a nil buffer; STG_E_CANTSAVE when the stream raises.
  gdip::HRESULT Write(const void* pv, gdip::UINT cb, gdip::UINT* pcbWritten) override;
  /// STG_E_INVALIDFUNCTION for an origin above STREAM_SEEK_END;
  /// STG_E_INVALIDPOINTER when the stream raises.
  gdip::HRESULT Seek(std::int64_t dlibMove, gdip::UINT dwOrigin,
                     std::uint64_t* plibNewPosition) override;
  /// E_FAIL when the size read back differs; E_UNEXPECTED when the stream raises.
  gdip::HRESULT SetSize(std::uint64_t libNewSize) override;
  /// Copies in blocks of at most 1 MB; E_FAIL when stm wrote less than it
  /// was given; E_UNEXPECTED when a stream raises.
  gdip::HRESULT CopyTo(gdip::IStream* stm, std::uint64_t cb, std::uint64_t* pcbRead,
                       std::uint64_t* pcbWritten) override;
  gdip::HRESULT Commit(gdip::UINT) override { return gdip::S_OK; }
  gdip::HRESULT Revert() override { return gdip::STG_E_REVERTED; }
  gdip::HRESULT LockRegion(std::uint64_t, std::uint64_t, gdip::UINT) override {
    return gdip::STG_E_INVALIDFUNCTION;
  }
  gdip::HRESULT UnlockRegion(std::uint64_t, std::uint64_t, gdip::UINT) override {
    return gdip::STG_E_INVALIDFUNCTION;
  }
  /// Nil record: S_OK and nothing else. Otherwise a stream record with the
  /// size and the current time (UTC) as all three times.
  gdip::HRESULT Stat(gdip::STATSTG* pstatstg, gdip::UINT grfStatFlag) override;
  /// *ppstm := nil; E_NOTIMPL.
  gdip::HRESULT Clone(gdip::IStream** ppstm) override;

 private:
  ~TMyStreamAdapter() override;

  rtl::TStream* FStream;
  TStreamOwnership FOwnership;
  gdip::UINT refs_ = 1;
};

class TvgFilterGdiPlus : public TvgFilter {
  RTL_CLASS(TvgFilterGdiPlus, TvgFilter)

  /// The class record installed in DefaultFilterClass.
  static const TvgFilterClassInfo Class;

  /// "*.bmp;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.gif;*.ico"
  static std::string GetFileTypes();
  /// (width, height) of the picture; (0, 0) when it cannot be decoded.
  /// A file that cannot be opened raises the stream's error.
  static TvgPoint GetImageSize(const std::string& fileName);

  /// A whole number of right angles turns the pixels exactly (90 clockwise;
  /// -90, -180, -270 leave the picture unturned); any other angle draws the
  /// picture turned about the centre of a bitmap that holds it.
  bool LoadFromFile(const std::string& fileName, float rotation, TvgBitmap& bitmap) override;
  /// Never larger than the picture. useEmbedded asks GDI+ for its thumbnail.
  bool LoadThumbnailFromFile(const std::string& fileName, float fitWidth, float fitHeight,
                             bool useEmbedded, TvgBitmap& bitmap) override;
  /// By extension (.jpg/.jpeg, .bmp, .png, .tif/.tiff, .gif); anything else
  /// writes nothing. params: space-separated name=value tokens; "quality"
  /// (any case) sets the JPEG quality (0..100, the last one counts, a
  /// non-number is ignored). True only when the picture was written.
  bool SaveToFile(const std::string& fileName, TvgBitmap& bitmap,
                  const std::string& params) override;
  bool LoadFromStream(rtl::TStream& stream, TvgBitmap& bitmap) override;
  /// format "jpeg"/"jpg", "png", "bmp", "tif"/"tiff", "gif"; anything else
  /// writes PNG.
  bool SaveToStream(rtl::TStream& stream, TvgBitmap& bitmap, const std::string& format,
                    const std::string& params) override;

  /// The index of the last encoder whose MIME type matches exactly, its
  /// CLSID in clsid; -1 when none does.
  static int FindImageEncoder(const std::u16string& mimeType, gdip::CLSID& clsid);
};

}  // namespace vg
