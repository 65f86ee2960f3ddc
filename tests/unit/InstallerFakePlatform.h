#pragma once
// A stateful stand-in for the Windows side of the setup program: files,
// shortcuts and registry live in maps, and every call is journalled in order.
// A running main program can be simulated: its window and its process go
// away after given numbers of 100 ms sleeps.

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "SetupPlatform.h"
#include "app/DataDirs.h"

namespace orvane::testing {

// Test paths are written with '\'; the build's JoinPath uses its own separator.
inline std::wstring Native(std::wstring path) {
  std::replace(path.begin(), path.end(), L'\\', kPathSeparator);
  return path;
}

inline KnownFolders TestFolders() {
  return {Native(L"C:\\Users\\ana\\AppData\\Local"), Native(L"C:\\Users\\ana\\Desktop"),
          Native(L"C:\\Users\\ana\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs")};
}

class FakeSetupPlatform : public SetupPlatform {
 public:
  struct Message {
    std::wstring text;
    std::wstring caption;
    MessageStyle style;
  };

  // --- script ---
  std::optional<DialogResult> dialogResult = DialogResult{1001, false};
  MessageAnswer answer = MessageAnswer::Yes;
  std::vector<std::uint8_t> payload = {'M', 'Z', 0x90, 0x00, 0x03};
  std::vector<std::uint8_t> selfBytes = {'M', 'Z', 'S', 'E', 'T'};
  bool failWrites = false;  // a write stops half-way (disk full)
  // Files another process holds open without sharing: they cannot be
  // written, replaced or deleted.
  std::set<std::wstring> heldFiles;

  bool instanceRunning = false;
  int windowGoneAfterSleeps = 0;   // WindowExists is false once this many sleeps passed
  int processExitsAfterSleeps = 0; // -1: never
  bool processOpenable = true;

  // --- observed state ---
  std::vector<InstallDialogSpec> dialogs;
  std::vector<Message> messages;
  std::vector<std::wstring> journal;
  std::map<std::wstring, std::vector<std::uint8_t>> files;
  std::map<std::wstring, ShortcutSpec> shortcuts;
  std::map<std::wstring, std::map<std::wstring, RegistryValue>> registry;
  int sleeps = 0;
  int exitPolls = 0;

  // Journal entries that changed something on the "machine".
  std::vector<std::wstring> Changes() const {
    std::vector<std::wstring> out;
    for (const std::wstring& entry : journal) {
      for (const wchar_t* verb : {L"write ", L"move ", L"copy-self ", L"shortcut ", L"set ", L"delete-value ",
                                  L"delete-tree ", L"remove ", L"open "}) {
        if (entry.starts_with(verb)) out.push_back(entry);
      }
    }
    return out;
  }

  std::optional<DialogResult> ShowInstallDialog(const InstallDialogSpec& dialog) override {
    journal.push_back(L"dialog");
    dialogs.push_back(dialog);
    return dialogResult;
  }

  MessageAnswer ShowMessage(const std::wstring& text, const std::wstring& caption, MessageStyle style) override {
    journal.push_back(L"message " + caption);
    messages.push_back({text, caption, style});
    return style == MessageStyle::Question ? answer : MessageAnswer::Other;
  }

  WindowHandle FindWindowOfClass(const std::wstring& className) override {
    journal.push_back(L"find " + className);
    return instanceRunning && className == L"OrvaneRenderWindow" ? kWindow : 0;
  }

  class Process : public WatchedProcess {
   public:
    explicit Process(FakeSetupPlatform& owner) : owner_(owner) {}
    bool HasExited() override {
      ++owner_.exitPolls;
      return owner_.processExitsAfterSleeps >= 0 && owner_.sleeps >= owner_.processExitsAfterSleeps;
    }

   private:
    FakeSetupPlatform& owner_;
  };

  std::unique_ptr<WatchedProcess> OpenWindowProcess(WindowHandle window) override {
    journal.push_back(L"open-process");
    if (window != kWindow || !processOpenable || !WindowExists(window)) return nullptr;
    return std::make_unique<Process>(*this);
  }

  void PostCloseMessage(WindowHandle window) override {
    journal.push_back(L"post-close");
    if (window == kWindow) closePosted_ = true;
  }

  bool WindowExists(WindowHandle window) override {
    if (window != kWindow || !instanceRunning) return false;
    return !closePosted_ || sleeps < windowGoneAfterSleeps;
  }

  void SleepMilliseconds(unsigned milliseconds) override {
    journal.push_back(L"sleep " + std::to_wstring(milliseconds));
    ++sleeps;
  }

  std::span<const std::uint8_t> LoadPayload() override { return payload; }

  void CreateFolder(const std::wstring& path) override { journal.push_back(L"folder " + path); }

  bool WriteWholeFile(const std::wstring& path, std::span<const std::uint8_t> bytes) override {
    journal.push_back(L"write " + path);
    if (heldFiles.count(path)) return false;
    if (failWrites) {
      files[path].assign(bytes.begin(), bytes.begin() + bytes.size() / 2);
      return false;
    }
    files[path].assign(bytes.begin(), bytes.end());
    return true;
  }

  bool MoveFileReplacing(const std::wstring& from, const std::wstring& to) override {
    journal.push_back(L"move " + from + L" -> " + to);
    if (heldFiles.count(from) || heldFiles.count(to) || !files.count(from)) return false;
    files[to] = std::move(files[from]);
    files.erase(from);
    return true;
  }

  bool CopySelfTo(const std::wstring& path) override {
    journal.push_back(L"copy-self " + path);
    files[path] = selfBytes;
    return true;
  }

  bool CreateShortcut(const ShortcutSpec& shortcut) override {
    journal.push_back(L"shortcut " + shortcut.linkPath);
    shortcuts[shortcut.linkPath] = shortcut;
    return true;
  }

  bool SetRegistryValue(const std::wstring& key, const RegistryValue& value) override {
    journal.push_back(L"set " + key + L"|" + value.name);
    registry[key][value.name] = value;
    return true;
  }

  bool DeleteRegistryValue(const std::wstring& key, const std::wstring& name) override {
    journal.push_back(L"delete-value " + key + L"|" + name);
    auto found = registry.find(key);
    return found != registry.end() && found->second.erase(name) > 0;
  }

  bool DeleteRegistryTree(const std::wstring& key) override {
    journal.push_back(L"delete-tree " + key);
    return registry.erase(key) > 0;
  }

  bool RemoveFile(const std::wstring& path) override {
    journal.push_back(L"remove " + path);
    if (heldFiles.count(path)) return false;
    files.erase(path);
    shortcuts.erase(path);
    return true;
  }

  void OpenProgram(const std::wstring& program, const std::wstring& workingDirectory) override {
    journal.push_back(L"open " + program + L" in " + workingDirectory);
  }

 private:
  static constexpr WindowHandle kWindow = 0x5a5a;
  bool closePosted_ = false;
};

}  // namespace orvane::testing
