#pragma once
// Owned Win32 handles (platform/UniqueHandle.h) for the kinds the program
// closes itself.

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace orvane {

// Kernel objects whose "none" is null: processes, threads, tokens, events,
// mutexes.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { CloseHandle(handle); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// CreateFileW's handles, whose "none" is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { CloseHandle(handle); }
};
using FileHandle = UniqueHandle<FileHandleTraits>;

struct IconHandleTraits {
  using Handle = HICON;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { DestroyIcon(handle); }
};
using IconHandle = UniqueHandle<IconHandleTraits>;

}  // namespace orvane
