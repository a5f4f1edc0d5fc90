#pragma once
// Owns one reference to a COM object and releases it when it goes.

#include <unknwn.h>

#include <utility>

namespace qev::win32 {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds.
  explicit ComPtr(T* owned) : p_(owned) {}
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  void Reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  // For functions that hand out a new reference: releases the old one first.
  T** Out() {
    Reset();
    return &p_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // The object's interface U, or an empty pointer when it has none.
  template <class U>
  ComPtr<U> As() const {
    ComPtr<U> out;
    if (p_) p_->QueryInterface(__uuidof(U), out.OutVoid());
    return out;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace qev::win32
