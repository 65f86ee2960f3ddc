// Win32SetupPlatform: everything the user sees or that talks to another
// process — the task dialog, message boxes, the running main program and
// starting the installed one.
#include "Win32SetupPlatform.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

namespace orvane {
namespace {

using TaskDialogIndirectFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// Bound at run time: the entry point exists only in common controls 6,
// which the manifest selects. Without it the dialog counts as failed
// instead of the whole program refusing to load.
TaskDialogIndirectFunction FindTaskDialogIndirect() {
  HMODULE comctl = LoadLibraryW(L"comctl32.dll");
  if (comctl == nullptr) return nullptr;
  FARPROC entry = GetProcAddress(comctl, "TaskDialogIndirect");
  return reinterpret_cast<TaskDialogIndirectFunction>(reinterpret_cast<void*>(entry));
}

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

class Win32WatchedProcess final : public WatchedProcess {
 public:
  explicit Win32WatchedProcess(HANDLE process) : process_(process) {}
  ~Win32WatchedProcess() override { CloseHandle(process_); }
  Win32WatchedProcess(const Win32WatchedProcess&) = delete;
  Win32WatchedProcess& operator=(const Win32WatchedProcess&) = delete;

  bool HasExited() override { return WaitForSingleObject(process_, 0) != WAIT_TIMEOUT; }

 private:
  HANDLE process_;
};

}  // namespace

std::optional<DialogResult> Win32SetupPlatform::ShowInstallDialog(const InstallDialogSpec& dialog) {
  const TaskDialogIndirectFunction taskDialogIndirect = FindTaskDialogIndirect();
  if (taskDialogIndirect == nullptr) return std::nullopt;

  std::vector<TASKDIALOG_BUTTON> buttons;
  for (const DialogButton& button : dialog.buttons) buttons.push_back({button.id, button.text.c_str()});

  TASKDIALOGCONFIG config = {};
  config.cbSize = sizeof(config);
  config.hwndParent = nullptr;
  config.hInstance = instance_;
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_USE_COMMAND_LINKS;
  config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
  config.pszWindowTitle = dialog.title.c_str();
  config.pszMainIcon = MAKEINTRESOURCEW(kProgramIconResource);
  config.pszMainInstruction = dialog.mainInstruction.c_str();
  config.pszContent = dialog.content.c_str();
  config.cButtons = static_cast<UINT>(buttons.size());
  config.pButtons = buttons.data();
  config.nDefaultButton = dialog.defaultButton;
  config.pszVerificationText = dialog.checkBoxText.c_str();

  int button = 0;
  BOOL checked = FALSE;
  if (FAILED(taskDialogIndirect(&config, &button, nullptr, &checked))) return std::nullopt;
  return DialogResult{button, checked != FALSE};
}

MessageAnswer Win32SetupPlatform::ShowMessage(const std::wstring& text, const std::wstring& caption,
                                              MessageStyle style) {
  UINT type = MB_OK;
  switch (style) {
    case MessageStyle::Error: type = MB_ICONERROR | MB_OK; break;
    case MessageStyle::Information: type = MB_ICONINFORMATION | MB_OK; break;
    case MessageStyle::Question: type = MB_ICONQUESTION | MB_YESNO; break;
  }
  switch (MessageBoxW(nullptr, text.c_str(), caption.c_str(), type)) {
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Other;
  }
}

WindowHandle Win32SetupPlatform::FindWindowOfClass(const std::wstring& className) {
  return reinterpret_cast<WindowHandle>(FindWindowW(className.c_str(), nullptr));
}

std::unique_ptr<WatchedProcess> Win32SetupPlatform::OpenWindowProcess(WindowHandle window) {
  DWORD processId = 0;
  if (GetWindowThreadProcessId(ToHwnd(window), &processId) == 0 || processId == 0) return nullptr;
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (process == nullptr) return nullptr;
  return std::make_unique<Win32WatchedProcess>(process);
}

void Win32SetupPlatform::PostCloseMessage(WindowHandle window) { PostMessageW(ToHwnd(window), WM_CLOSE, 0, 0); }

bool Win32SetupPlatform::WindowExists(WindowHandle window) { return IsWindow(ToHwnd(window)) != FALSE; }

void Win32SetupPlatform::SleepMilliseconds(unsigned milliseconds) { Sleep(milliseconds); }

void Win32SetupPlatform::OpenProgram(const std::wstring& program, const std::wstring& workingDirectory) {
  ShellExecuteW(nullptr, L"open", program.c_str(), nullptr, workingDirectory.c_str(), SW_SHOWNORMAL);
}

}  // namespace orvane
