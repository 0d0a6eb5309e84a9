#pragma once
// A liveness token for code that may outlive the object it runs for: a
// handler that may free its own timer, a call deferred to the main loop. The
// object holds a TLifeToken; the code takes a Watch() first and asks
// Alive() before it touches the object again. Watches may be copied to and
// checked on any thread; the token dies with its object.
#include <memory>

namespace rtl {

class TLifeToken {
 public:
  class TWatch {
   public:
    bool Alive() const { return !life_.expired(); }

   private:
    friend class TLifeToken;
    explicit TWatch(std::weak_ptr<const char> life) : life_(std::move(life)) {}
    std::weak_ptr<const char> life_;
  };

  TLifeToken() = default;
  TLifeToken(const TLifeToken&) = delete;
  TLifeToken& operator=(const TLifeToken&) = delete;

  TWatch Watch() const { return TWatch(life_); }

 private:
  std::shared_ptr<const char> life_ = std::make_shared<const char>();
};

}  // namespace rtl
