// An owning COM interface pointer: released when it goes, AddRef'd when copied.
#pragma once

#include <unknwn.h>

#include <utility>

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds.
  static ComPtr Adopt(T* pointer) {
    ComPtr owned;
    owned.pointer_ = pointer;
    return owned;
  }
  // Takes a reference of its own to a pointer someone else holds.
  static ComPtr Share(T* pointer) {
    if (pointer) pointer->AddRef();
    return Adopt(pointer);
  }
  ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
    if (pointer_) pointer_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  void Reset() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }
  T* Get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For out-parameters: releases what is held and hands out the slot.
  T** Put() {
    Reset();
    return &pointer_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  T* Detach() { return std::exchange(pointer_, nullptr); }
  // Hands a new reference to an out-parameter.
  T* Copy() const {
    if (pointer_) pointer_->AddRef();
    return pointer_;
  }

  template <typename U>
  ComPtr<U> As(REFIID iid) const {
    ComPtr<U> other;
    if (pointer_) pointer_->QueryInterface(iid, other.PutVoid());
    return other;
  }

 private:
  T* pointer_ = nullptr;
};
