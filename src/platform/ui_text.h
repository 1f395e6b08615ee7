#pragma once
// Fonts and tooltips shared by the program's windows.

#include <windows.h>

#include "platform/dpi.h"
#include "platform/win32_handles.h"

namespace lumvale {

// The face of the Chinese texts: SimSun (宋体), as Chinese Windows shows it;
// systems without it substitute a linked CJK face.
inline constexpr wchar_t kUiFontFace[] = L"宋体";

// A font of `points` size for a display of `dpi`.
unique_gdi_object CreateUiFont(Dpi dpi, int points = 9);

// Sets the font of every child of `parent`, at any depth.
void SetFontOfChildren(HWND parent, HFONT font);

// One tooltip control for the controls of a window.
class Tooltips {
public:
    Tooltips() = default;
    Tooltips(const Tooltips&) = delete;
    Tooltips& operator=(const Tooltips&) = delete;
    ~Tooltips();

    // Creates the tooltip control owned by `owner` (once).
    void Create(HWND owner);
    // Shows `text` while the pointer rests on `control`; later calls replace it.
    void Set(HWND control, const wchar_t* text);
    HWND hwnd() const { return tooltip_; }

private:
    HWND tooltip_ = nullptr;
};

}  // namespace lumvale
