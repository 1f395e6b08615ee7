#include "store/settings_store.h"

#include "platform/scoped.h"

namespace lumvale {

std::wstring SettingsStore::SectionPath(const std::wstring& section) {
    return kApplicationKey + L"\\" + section;
}

std::wstring SettingsStore::ReadSetting(const std::wstring& section, const std::wstring& key,
                                        const std::wstring& defaultText) {
    ++reads_;
    ScopedRegKey handle(platform_, platform_.RegOpenKey(RegRoot::CurrentUser, SectionPath(section), RegView::Own));
    if (!handle) return defaultText;
    std::wstring text;
    if (platform_.RegQueryValueEx(handle.get(), key, text, 0) != RegQueryResult::Ok) return defaultText;
    return text;
}

bool SettingsStore::WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& text) {
    ScopedRegKey handle(platform_, platform_.RegCreateKey(RegRoot::CurrentUser, SectionPath(section), RegView::Own));
    return handle && platform_.RegSetValueEx(handle.get(), key, text);
}

void SettingsStore::DeleteSection(const std::wstring& section) {
    platform_.RegDeleteKey(RegRoot::CurrentUser, SectionPath(section));
}

void SettingsStore::DeleteValue(const std::wstring& section, const std::wstring& key) {
    ScopedRegKey handle(platform_, platform_.RegOpenKey(RegRoot::CurrentUser, SectionPath(section), RegView::Own));
    if (handle) platform_.RegDeleteValue(handle.get(), key);
}

}  // namespace lumvale
