#pragma once

#include <utility>

namespace zorva {

// The single owner of a system handle: it releases the handle exactly once,
// when it goes out of scope or is given another, on every path. Deleter is a
// type with `static void Close(T)`; the value that owns nothing is EmptyValue,
// or `Deleter::Empty()` where a handle type marks it with a value that no
// constant can name (a file handle's INVALID_HANDLE_VALUE).
template <typename T, typename Deleter, T EmptyValue = T{}>
class unique_handle {
  static T Empty() noexcept {
    if constexpr (requires { Deleter::Empty(); })
      return Deleter::Empty();
    else
      return EmptyValue;
  }

 public:
  unique_handle() noexcept = default;
  explicit unique_handle(T handle) noexcept : handle_(handle) {}
  unique_handle(unique_handle&& other) noexcept : handle_(other.release()) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  ~unique_handle() { reset(); }

  T get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Empty(); }

  T release() noexcept { return std::exchange(handle_, Empty()); }
  void reset(T handle = Empty()) noexcept {
    T old = std::exchange(handle_, handle);
    if (old != Empty()) Deleter::Close(old);
  }

 private:
  T handle_ = Empty();
};

}  // namespace zorva
