#include "glass/refusal_notice.h"

namespace lumvale {
namespace {

const wchar_t kRefused[] = L"这个窗口不接受透明度的改变（它可能属于以管理员身份运行的程序）。";
const wchar_t kPerPixel[] = L"这个窗口自己绘制透明效果，Lumvale 不改变它。";
const wchar_t kNoAnswer[] = L"这个窗口没有响应，透明度没有改变。";

}  // namespace

void RefusalNotice::Explain(Hwnd window, AlphaChange change) {
    if (change == AlphaChange::Made || explained_.Contains(window)) return;
    const wchar_t* text = change == AlphaChange::NoAnswer   ? kNoAnswer
                          : change == AlphaChange::PerPixel ? kPerPixel
                                                            : kRefused;
    if (balloon_.ShowBalloon(text)) explained_.Insert(window);
}

}  // namespace lumvale
