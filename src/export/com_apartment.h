#pragma once

#ifdef _WIN32
#include <objbase.h>
#endif

namespace zorva {

// The calling thread's single-threaded COM apartment, where the XML document
// object lives, for as long as this object: entered on construction, left on
// destruction. Elsewhere there is nothing to enter.
class ComApartment {
 public:
#ifdef _WIN32
  ComApartment() : status_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(status_)) CoUninitialize();
  }
#else
  ComApartment() = default;
#endif
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
#ifdef _WIN32
  HRESULT status_;
#endif
};

}  // namespace zorva
