#include "platform/rtl/Persistent.h"

#include "platform/rtl/Exceptions.h"

namespace rtl {

void TPersistent::Assign(const TPersistent* source) {
  if (!source) AssignError(nullptr);
  source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const { dest->AssignError(this); }

void TPersistent::DefineProperties(TFiler&) {}

void TPersistent::AssignError(const TPersistent* source) const {
  const std::string sourceName = source ? source->ClassName() : "nil";
  throw EConvertError(Format("Cannot assign a %s to a %s", sourceName.c_str(), ClassName().c_str()));
}

}  // namespace rtl
