#pragma once
// Windows noted by handle for as long as they live. The system may give the
// handle of a closed window to a new one: an entry counts only while the
// window under its handle runs on the thread it was noted with, and the
// entries of windows that are gone are dropped whenever another is noted.

#include <iterator>
#include <map>

#include "platform/platform.h"

namespace lumvale {

class WindowSet {
public:
    explicit WindowSet(Platform& platform) : platform_(platform) {}

    bool Contains(Hwnd window) {
        const auto found = threads_.find(window);
        return found != threads_.end() && found->second == ThreadOf(window);
    }

    void Insert(Hwnd window) {
        for (auto entry = threads_.begin(); entry != threads_.end();)
            entry = entry->second == ThreadOf(entry->first) ? std::next(entry) : threads_.erase(entry);
        if (const std::uint32_t thread = ThreadOf(window)) threads_[window] = thread;
    }

private:
    std::uint32_t ThreadOf(Hwnd window) {
        std::uint32_t process = 0;
        return platform_.GetWindowThreadProcessId(window, &process);
    }

    Platform& platform_;
    std::map<Hwnd, std::uint32_t> threads_;  // window, its thread
};

}  // namespace lumvale
