#pragma once
// Every text the setup program shows or writes, in the product's language.

#include <string>

namespace orvane {

inline constexpr wchar_t kDialogTitle[] = L"安装 Orvane v3.0.0 — Lumaro";
inline constexpr wchar_t kDialogMainInstruction[] = L"欢迎安装 Orvane v3.0.0";
// Followed directly by the install directory.
inline constexpr wchar_t kDialogContentIntro[] =
    L"原生 C++20 / DirectComposition 打造的 Windows macOS 桌面体验套件（开发者：Lumaro）：\n"
    L"• 1:1 毛玻璃程序坞：内置启动台（全PC应用固定/取消固定）、音乐与实时歌词、系统托盘与电源中心\n"
    L"• 原生 macOS 菜单栏（真实登录账户头像）、独立 Wi-Fi/蓝牙/显示器控制面板与自有 UI 通知中心\n"
    L"• 多桌面小组件（时钟/天气/月历/监控/便签）+ 台前调度替代 Alt+Tab（可随时一键恢复原生）\n"
    L"\n"
    L"安装目录：";
// Command links: the first line is the link, the rest its note.
inline constexpr wchar_t kInstallAndLaunchLink[] =
    L"立即安装并启动 Orvane\n安装到当前用户目录，创建桌面与开始菜单快捷方式";
inline constexpr wchar_t kInstallOnlyLink[] = L"仅安装（不立即启动）\n完成文件部署和快捷方式创建后关闭向导";
inline constexpr wchar_t kAutoStartCheckBox[] = L"随 Windows 开机自动启动 Orvane";

inline constexpr wchar_t kInstalledCaption[] = L"安装完成";
inline constexpr wchar_t kInstalledMessage[] = L"Orvane v3.0.0（Lumaro）已成功安装！可从桌面或开始菜单启动。";
inline constexpr wchar_t kWriteFailedCaption[] = L"Orvane 安装失败";
inline constexpr wchar_t kWriteFailedMessage[] = L"无法写入 Orvane.exe，请先关闭正在运行的 Orvane 后重试。";
inline constexpr wchar_t kUninstallCaption[] = L"卸载 Orvane";
inline constexpr wchar_t kUninstallQuestion[] = L"确定要卸载 Orvane 吗？（将自动恢复 Windows 原生任务栏）";
inline constexpr wchar_t kUninstalledMessage[] = L"Orvane 已安全卸载完成。";
inline constexpr wchar_t kUninstallIncompleteMessage[] = L"Orvane 未能完全卸载：程序文件仍在使用中。";

inline constexpr wchar_t kShortcutDescription[] = L"Orvane - 原生 macOS 风格桌面套件";

inline std::wstring DialogContent(const std::wstring& installDirectory) {
  return kDialogContentIntro + installDirectory;
}

}  // namespace orvane
