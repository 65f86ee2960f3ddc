#pragma once
// Optional entry points of system DLLs, bound at run time so the program
// still starts where a DLL or an export is missing (an older Windows, Wine).
// DLLs come from the system folder only, never from the program's folder or
// the current directory, and stay loaded for the life of the process.

#include <windows.h>

#include <mutex>

#include "platform/ProcName.h"

namespace orvane {

// The DLL when it is loaded already, else loaded from the system folder;
// null when it cannot be found there.
HMODULE SystemModule(const wchar_t* dll);

// The export of the system DLL, or null (missing DLL, missing export or an
// invalid name).
FARPROC FindSystemProc(const wchar_t* dll, ProcName name);

template <class Fn>
Fn LoadSystemProc(const wchar_t* dll, ProcName name) {
  // Through void(*)() so the compiler accepts the change of signature.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(FindSystemProc(dll, name)));
}

// One optional entry point, looked up on first use and remembered, missing
// or not. Safe to use from any thread.
template <class Fn>
class OptionalProc {
 public:
  OptionalProc(const wchar_t* dll, ProcName name) : dll_(dll), name_(name) {}
  OptionalProc(const OptionalProc&) = delete;
  OptionalProc& operator=(const OptionalProc&) = delete;

  Fn Get() const {
    std::call_once(once_, [this] { proc_ = LoadSystemProc<Fn>(dll_, name_); });
    return proc_;
  }
  explicit operator bool() const { return Get() != nullptr; }

 private:
  const wchar_t* dll_;
  ProcName name_;
  mutable std::once_flag once_;
  mutable Fn proc_ = nullptr;
};

}  // namespace orvane
