#pragma once
// TPersistent: an object that can copy itself from another (Assign) and take
// part in component streaming (DefineProperties).
#include "platform/rtl/Object.h"

namespace rtl {

class TFiler;
class TReader;
class TWriter;

class TPersistent : public TObject {
  RTL_CLASS(TPersistent, TObject)

  // Copies `source` into this object. The default hands the work to
  // source->AssignTo(this); when neither side knows the other it raises
  // EConvertError "Cannot assign a <source class> to a <this class>"
  // ("nil" for a null source).
  virtual void Assign(const TPersistent* source);

 protected:
  // Copies this object into `dest`; the default raises the assign error.
  virtual void AssignTo(TPersistent* dest) const;
  // Declares custom stream properties with the filer's DefineProperty and
  // DefineBinaryProperty. The default declares none.
  virtual void DefineProperties(TFiler& filer);
  [[noreturn]] void AssignError(const TPersistent* source) const;

  friend class TFiler;
  friend class TReader;
  friend class TWriter;
};

}  // namespace rtl
