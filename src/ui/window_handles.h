#pragma once

// The owners of the windows and drawing objects the window code holds.
#include <windows.h>

#include <utility>

#include "base/unique_handle.h"
#include "base/win32_handles.h"

namespace zorva {

struct DestroyWindowCloser {
  static void Close(HWND handle) { DestroyWindow(handle); }
};
struct DeleteObjectCloser {
  static void Close(HGDIOBJ handle) { DeleteObject(handle); }
};
struct DeleteDcCloser {
  static void Close(HDC handle) { DeleteDC(handle); }
};

using unique_hwnd = unique_handle<HWND, DestroyWindowCloser>;
using unique_hdc = unique_handle<HDC, DeleteDcCloser>;  // a memory DC

// A GDI object of a given type (HFONT, HBITMAP, HBRUSH).
template <typename T>
class unique_gdi {
 public:
  unique_gdi() noexcept = default;
  explicit unique_gdi(T handle) noexcept : owner_(handle) {}
  T get() const noexcept { return static_cast<T>(owner_.get()); }
  explicit operator bool() const noexcept { return static_cast<bool>(owner_); }
  void reset(T handle = nullptr) noexcept { owner_.reset(handle); }

 private:
  unique_handle<HGDIOBJ, DeleteObjectCloser> owner_;
};
using unique_hfont = unique_gdi<HFONT>;
using unique_hbitmap = unique_gdi<HBITMAP>;
using unique_hbrush = unique_gdi<HBRUSH>;

// A window's DC, given back to its window.
class window_dc {
 public:
  explicit window_dc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~window_dc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  window_dc(const window_dc&) = delete;
  window_dc& operator=(const window_dc&) = delete;
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A paint cycle: BeginPaint now, EndPaint at the end of the scope.
class paint_dc {
 public:
  explicit paint_dc(HWND window) noexcept : window_(window) { BeginPaint(window_, &paint_); }
  ~paint_dc() { EndPaint(window_, &paint_); }
  paint_dc(const paint_dc&) = delete;
  paint_dc& operator=(const paint_dc&) = delete;
  HDC get() const noexcept { return paint_.hdc; }
  const RECT& area() const noexcept { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

// Selects an object into a DC and puts the previous one back at scope end.
class select_object {
 public:
  select_object(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~select_object() { SelectObject(dc_, previous_); }
  select_object(const select_object&) = delete;
  select_object& operator=(const select_object&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// An open clipboard, closed at scope end.
class open_clipboard {
 public:
  explicit open_clipboard(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
  ~open_clipboard() {
    if (open_) CloseClipboard();
  }
  open_clipboard(const open_clipboard&) = delete;
  open_clipboard& operator=(const open_clipboard&) = delete;
  explicit operator bool() const noexcept { return open_; }

 private:
  bool open_;
};

}  // namespace zorva
