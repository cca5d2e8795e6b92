// Owns one reference to a COM interface, released when the owner goes out of scope.
#pragma once

#include <unknwn.h>

#include <utility>

namespace calmora::win32 {

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    reset();
    pointer_ = std::exchange(other.pointer_, nullptr);
    return *this;
  }
  ~ComPtr() { reset(); }

  Interface* get() const noexcept { return pointer_; }
  Interface* operator->() const noexcept { return pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }
  void reset() noexcept {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }
  // For creation functions that hand the new reference back, through IID_PPV_ARGS.
  Interface** put() noexcept {
    reset();
    return &pointer_;
  }

 private:
  Interface* pointer_ = nullptr;
};

// COM is initialised for the calling thread for one scope.
class ComApartment {
 public:
  ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment();

 private:
  bool initialized_ = false;
};

}  // namespace calmora::win32
