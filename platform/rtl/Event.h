#pragma once
// TEvent<Args...>: an event property's handler, the stand-in for the class
// library's method pointers ("procedure(Sender: TObject) of object").
//
// A handler is either code-made (any callable, typically a lambda) or bound
// by name to a published method of an object (the form reader does this);
// a bound handler remembers that object and the method name so the writer
// can store it again. Calling an empty event does nothing.
#include <functional>
#include <string>
#include <utility>

namespace rtl {

class TObject;

template <class... Args>
class TEvent {
 public:
  using Handler = std::function<void(Args...)>;

  TEvent() = default;
  TEvent(std::nullptr_t) {}
  template <class F>
    requires std::is_invocable_v<F&, Args...> && (!std::is_same_v<std::decay_t<F>, TEvent>)
  TEvent(F handler) : handler_(std::move(handler)) {}
  // A handler bound to the published method `methodName` of `instance`.
  TEvent(TObject* instance, std::string methodName, Handler handler)
      : handler_(std::move(handler)), instance_(instance), methodName_(std::move(methodName)) {}

  explicit operator bool() const { return static_cast<bool>(handler_); }
  template <class... CallArgs>
  void operator()(CallArgs&&... args) const {
    if (handler_) handler_(std::forward<CallArgs>(args)...);
  }

  // The object and method name of a handler bound by name; nullptr and ""
  // for a code-made one.
  TObject* Instance() const { return instance_; }
  const std::string& MethodName() const { return methodName_; }

 private:
  Handler handler_;
  TObject* instance_ = nullptr;
  std::string methodName_;
};

// The common "something happened" event: the sender only.
using TNotifyEvent = TEvent<TObject*>;

}  // namespace rtl
