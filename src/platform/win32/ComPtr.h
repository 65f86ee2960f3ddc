#pragma once
// A small owning reference to a COM interface: AddRef on copy, Release on
// destruction, QueryInterface through As(). Used for Direct2D/DirectWrite
// objects and for the hand-declared WinRT interfaces, which carry their IID
// as a static kIid member instead of a compiler uuid attribute.

#include <windows.h>
#include <unknwn.h>

#include <utility>

#include "app/win32/HResult.h"

namespace orvane {

// The IID of T: T::kIid for the hand-declared interfaces, __uuidof(T) for the
// SDK ones.
template <class T>
const IID& IidOf() {
  if constexpr (requires { T::kIid; }) {
    return T::kIid;
  } else {
    return __uuidof(T);
  }
}

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference to `p`.
  explicit ComPtr(T* p) : p_(p) {
    if (p_ != nullptr) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ~ComPtr() { Reset(); }

  ComPtr& operator=(const ComPtr& other) {
    if (this != &other) ComPtr(other).Swap(*this);
    return *this;
  }
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) ComPtr(std::move(other)).Swap(*this);
    return *this;
  }
  ComPtr& operator=(std::nullptr_t) {
    Reset();
    return *this;
  }

  // Adopts a reference the caller already owns (no AddRef).
  static ComPtr Attach(T* p) {
    ComPtr result;
    result.p_ = p;
    return result;
  }
  // Gives up ownership without releasing.
  T* Detach() { return std::exchange(p_, nullptr); }

  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  void Swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // For out-parameters: releases the current reference first.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  // QueryInterface; an empty result when the object does not have U.
  template <class U>
  ComPtr<U> TryAs() const {
    ComPtr<U> result;
    if (p_ != nullptr) p_->QueryInterface(IidOf<U>(), result.PutVoid());
    return result;
  }
  // QueryInterface; throws the HRESULT when it fails.
  template <class U>
  ComPtr<U> As(std::source_location where = std::source_location::current()) const {
    ComPtr<U> result;
    if (p_ == nullptr) ThrowHResult(E_POINTER, where);
    ThrowIfFailed(p_->QueryInterface(IidOf<U>(), result.PutVoid()), where);
    return result;
  }

  // Hands out a new reference (for COM out-parameters).
  void CopyTo(T** out) const {
    *out = p_;
    if (p_ != nullptr) p_->AddRef();
  }

  bool operator==(const ComPtr& other) const { return p_ == other.p_; }

 private:
  T* p_ = nullptr;
};

}  // namespace orvane
