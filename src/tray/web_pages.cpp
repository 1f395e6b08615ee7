#include "tray/web_pages.h"

namespace lumvale {

// The maker's web host is a build setting, so that a distributor can set it.
std::wstring HomePageAddress() { return std::wstring(L"http://") + LUMVALE_WEB_HOST; }
std::wstring ProductPageAddress() { return HomePageAddress() + L"/products/lumvale.shtml"; }

void OpenWebPage(Platform& platform, const std::wstring& target) {
    constexpr int kShowNormal = 1;
    platform.ShellExecute(L"open", target, L"", L"", kShowNormal);
}

void ShowHelp(Platform& platform) { OpenWebPage(platform, ProductPageAddress()); }

}  // namespace lumvale
