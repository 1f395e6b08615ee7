#include "glass/refusal_notice.h"

#include "store/settings.h"

namespace lumvale {
namespace {

const wchar_t kRefused[] = L"这个窗口不接受透明度的改变（它可能属于以管理员身份运行的程序）。";
const wchar_t kPerPixel[] = L"这个窗口自己绘制透明效果，Lumvale 不改变它。";
const wchar_t kNoAnswer[] = L"这个窗口没有响应，透明度没有改变。";
const wchar_t kMouseThrough[] = L"鼠标现在会穿过这个窗口。要恢复：";
const wchar_t kSwitchTo[] = L"用 Alt+Tab 切换到它，再按 ";
const wchar_t kOrFromTheMenu[] = L"；或";
const wchar_t kFromTheMenu[] = L"在托盘菜单中选择“还原所有窗口”。";

}  // namespace

void RefusalNotice::Explain(Hwnd window, AlphaChange change) {
    if (change == AlphaChange::Made || explained_.Contains(window)) return;
    const wchar_t* text = change == AlphaChange::NoAnswer   ? kNoAnswer
                          : change == AlphaChange::PerPixel ? kPerPixel
                                                            : kRefused;
    if (balloon_.ShowBalloon(text)) explained_.Insert(window);
}

void RefusalNotice::TellTheWayBack(Hwnd window, std::optional<unsigned> hotKeys) {
    if (toldTheWayBack_.Contains(window)) return;
    std::wstring text = kMouseThrough;
    if (hotKeys) text += kSwitchTo + ModifierNames(*hotKeys) + L" + 0" + kOrFromTheMenu;
    if (balloon_.ShowBalloon(text + kFromTheMenu)) toldTheWayBack_.Insert(window);
}

}  // namespace lumvale
