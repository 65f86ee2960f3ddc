#pragma once
// An owned platform handle, closed once when the owner lets go of it.
// Traits say what the handle is, which value means "none" and how it is
// closed:
//
//   struct Traits {
//     using Handle = ...;
//     static Handle Invalid() noexcept;
//     static void Close(Handle handle) noexcept;
//   };

#include <utility>

namespace orvane {

template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  ~UniqueHandle() { Reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Handle Get() const noexcept { return handle_; }
  bool Valid() const noexcept { return handle_ != Traits::Invalid(); }
  explicit operator bool() const noexcept { return Valid(); }

  // Closes the current handle and takes `handle`.
  void Reset(Handle handle = Traits::Invalid()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::Invalid() && old != handle) Traits::Close(old);
  }
  // Gives up ownership without closing.
  [[nodiscard]] Handle Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
  // For out-parameters: closes the current handle first.
  Handle* Put() noexcept {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

}  // namespace orvane
