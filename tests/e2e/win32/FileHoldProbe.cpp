#include "FileHoldProbe.h"

#include <windows.h>

#include <cstdio>

int RunFileHoldProbe(const wchar_t* file, const wchar_t* releaseFile, unsigned long timeoutMs) {
  HANDLE handle = CreateFileW(file, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    std::printf("held=0 error=%lu\n", GetLastError());
    std::fflush(stdout);
    return 1;
  }
  std::printf("held=1\n");
  std::fflush(stdout);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (GetFileAttributesW(releaseFile) == INVALID_FILE_ATTRIBUTES && GetTickCount64() < deadline) Sleep(50);
  CloseHandle(handle);
  std::printf("released=1\n");
  std::fflush(stdout);
  return 0;
}
