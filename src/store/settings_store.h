#pragma once
// The program's registry store: HKEY_CURRENT_USER\Software\Lumvale, one
// subkey per section, one REG_SZ value per key.

#include <string>

#include "platform/platform.h"

namespace lumvale {

// Section and key names are a permanent contract with what users have stored;
// the trailing blanks are part of them.
namespace store_names {
inline const std::wstring kSettings = L"软件设置    ";
inline const std::wstring kRemember = L"提示：     ";
inline const std::wstring kBeep = L"Beep";
inline const std::wstring kPopupKeys = L"RC";
inline const std::wstring kHotKeys = L"KS";
inline const std::wstring kTaskbarAlpha = L"TBar";
inline const std::wstring kWins = L"Wins";
inline const std::wstring kTemp = L"Temp";
// A window's run record with this after its handle: "最上" keeps it on top.
inline const std::wstring kTopSuffix = L"a";
}  // namespace store_names

inline const std::wstring kApplicationKey = L"Software\\Lumvale";

class SettingsStore {
public:
    explicit SettingsStore(Platform& platform) : platform_(platform) {}

    // The stored text, or `defaultText` when the section or value is missing
    // or cannot be read.
    std::wstring ReadSetting(const std::wstring& section, const std::wstring& key,
                             const std::wstring& defaultText);
    // False where the value could not be written.
    bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& text);
    void DeleteSection(const std::wstring& section);
    void DeleteValue(const std::wstring& section, const std::wstring& key);

    // How many values were read since the start (for the benchmark).
    long readCount() const { return reads_; }

private:
    static std::wstring SectionPath(const std::wstring& section);

    Platform& platform_;
    long reads_ = 0;
};

}  // namespace lumvale
