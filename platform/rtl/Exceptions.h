#pragma once
// The class library's exception classes. Every one carries a UTF-8 Message;
// what() returns it. Messages follow the class library's texts where the
// program shows or tests them.
#include <stdexcept>
#include <string>

namespace rtl {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

#define RTL_EXCEPTION(Name, Base)        \
  class Name : public Base {             \
   public:                               \
    using Base::Base;                    \
  };

RTL_EXCEPTION(EAbort, Exception)
RTL_EXCEPTION(EConvertError, Exception)
RTL_EXCEPTION(EListError, Exception)
RTL_EXCEPTION(EStreamError, Exception)
RTL_EXCEPTION(EFCreateError, EStreamError)
RTL_EXCEPTION(EFOpenError, EStreamError)
RTL_EXCEPTION(EReadError, EStreamError)
RTL_EXCEPTION(EWriteError, EStreamError)
RTL_EXCEPTION(EFilerError, EStreamError)
RTL_EXCEPTION(EClassNotFound, EFilerError)
RTL_EXCEPTION(EMethodNotFound, EFilerError)
RTL_EXCEPTION(EInvalidImage, EFilerError)
RTL_EXCEPTION(EResNotFound, Exception)
RTL_EXCEPTION(EComponentError, Exception)
RTL_EXCEPTION(EAbstractError, Exception)
RTL_EXCEPTION(EInvalidOperation, Exception)
RTL_EXCEPTION(EInvalidPointer, Exception)
RTL_EXCEPTION(EOutOfMemory, Exception)
RTL_EXCEPTION(EThread, Exception)
RTL_EXCEPTION(EVariantError, Exception)
RTL_EXCEPTION(EPropertyError, Exception)
RTL_EXCEPTION(EOSError, Exception)

#undef RTL_EXCEPTION

// printf-style formatting for exception messages ("Class %s not found").
// Floats must not go through it: %f and %g follow the process locale; turn
// them into text with NumberText.h and pass that as %s.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace rtl
