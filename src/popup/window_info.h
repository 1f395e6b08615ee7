#pragma once
// Naming the program and class behind a window: its top-level window, class,
// title, executable and the window identity that remembered records use.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace lumvale {

// Executable names by window, so that a window in front costs one process
// snapshot instead of one per tick. An entry is keyed by the window handle
// together with its process and thread ids, which are asked for afresh on
// every lookup: a destroyed window whose handle comes back for another
// program's window has other ids and misses the cache.
class ExeNameCache {
public:
    static constexpr std::size_t kCapacity = 16;

    const std::wstring* Find(Hwnd window, std::uint32_t processId, std::uint32_t threadId) const;
    void Store(Hwnd window, std::uint32_t processId, std::uint32_t threadId, const std::wstring& name);

private:
    struct Entry {
        Hwnd window;
        std::uint32_t processId;
        std::uint32_t threadId;
        std::wstring name;
    };
    std::vector<Entry> entries_;  // oldest first
};

class WindowInfo {
public:
    explicit WindowInfo(Platform& platform, bool cacheExeNames = true)
        : platform_(platform), cacheExeNames_(cacheExeNames) {}

    static constexpr int kTextBufferChars = 256;

    // The outermost window reached by following GetParent (parent or owner).
    Hwnd TopLevelWindow(Hwnd window);
    std::wstring WindowClass(Hwnd window);
    std::wstring WindowTitle(Hwnd window);
    // File name of the executable of the process that created the window.
    std::wstring ExeName(Hwnd window);
    // ExeName followed directly by WindowClass.
    std::wstring WindowIdentity(Hwnd window);

private:
    std::wstring ExeNameFromSnapshot(std::uint32_t processId);

    Platform& platform_;
    bool cacheExeNames_;
    ExeNameCache cache_;
};

}  // namespace lumvale
