#pragma once
// System libraries the launcher needs only after its window shows (the socket, HTTP,
// crypto, shell and COM libraries) are loaded when first called rather than when the
// program starts: under Wine each one loaded at start delays the first window.
//
//   QEV_LATE_FUNCTION(L"winhttp.dll", WinHttpOpen);   // in a namespace, e.g. late
//   late::WinHttpOpen(...);                            // same parameters as ::WinHttpOpen

#include <windows.h>

#include <atomic>

namespace qev::win32 {

// The function's address, its library loaded on first use. A library or function that
// cannot be found ends the program with a message, as the loader would have refused
// to start it.
FARPROC LateAddress(const wchar_t* library, const char* function);

template <class F>
class LateFunction;

// Only system functions (WINAPI) match: a 32-bit build refuses any other convention.
template <class R, class... A>
class LateFunction<R(WINAPI*)(A...)> {
 public:
  constexpr LateFunction(const wchar_t* library, const char* name)
      : library_(library), name_(name) {}
  R operator()(A... args) const { return Address()(args...); }

 private:
  using Pointer = R(WINAPI*)(A...);
  Pointer Address() const {
    Pointer p = address_.load(std::memory_order_acquire);
    if (!p) {
      // Two threads may both look it up: they find the same address.
      // Through void (*)(), the type GCC accepts as a stand-in for any function.
      p = reinterpret_cast<Pointer>(reinterpret_cast<void (*)()>(LateAddress(library_, name_)));
      address_.store(p, std::memory_order_release);
    }
    return p;
  }

  const wchar_t* library_;
  const char* name_;
  mutable std::atomic<Pointer> address_{nullptr};
};

}  // namespace qev::win32

// Declares name as a late-bound stand-in for the system function ::name of library.
#define QEV_LATE_FUNCTION(library, name) \
  inline const ::qev::win32::LateFunction<decltype(&::name)> name { library, #name }
