#pragma once
// RAII owners for the Win32 handles the program holds.

#include <windows.h>

#include <cstdint>
#include <utility>

namespace lumvale {

template <typename Traits>
class unique_handle {
public:
    using pointer = typename Traits::pointer;

    unique_handle() = default;
    explicit unique_handle(pointer value) : value_(value) {}
    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;
    unique_handle(unique_handle&& other) noexcept : value_(other.release()) {}
    unique_handle& operator=(unique_handle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~unique_handle() { reset(); }

    pointer get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::invalid(); }
    pointer release() { return std::exchange(value_, Traits::invalid()); }
    void reset(pointer value = Traits::invalid()) {
        if (value_ != Traits::invalid()) Traits::close(value_);
        value_ = value;
    }

private:
    pointer value_ = Traits::invalid();
};

struct GdiObjectTraits {
    using pointer = HGDIOBJ;
    static pointer invalid() { return nullptr; }
    static void close(pointer value) { ::DeleteObject(value); }
};
struct IconTraits {
    using pointer = HICON;
    static pointer invalid() { return nullptr; }
    static void close(pointer value) { ::DestroyIcon(value); }
};
struct MenuTraits {
    using pointer = HMENU;
    static pointer invalid() { return nullptr; }
    static void close(pointer value) { ::DestroyMenu(value); }
};
struct MemoryDcTraits {
    using pointer = HDC;
    static pointer invalid() { return nullptr; }
    static void close(pointer value) { ::DeleteDC(value); }
};

struct KernelObjectTraits {
    using pointer = HANDLE;
    static pointer invalid() { return nullptr; }
    static void close(pointer value) { ::CloseHandle(value); }
};
struct RegKeyTraits {
    using pointer = HKEY;
    static pointer invalid() { return nullptr; }
    static void close(pointer value) { ::RegCloseKey(value); }
};

using unique_gdi_object = unique_handle<GdiObjectTraits>;
using unique_icon = unique_handle<IconTraits>;
using unique_menu = unique_handle<MenuTraits>;
using unique_memory_dc = unique_handle<MemoryDcTraits>;
using unique_kernel_object = unique_handle<KernelObjectTraits>;  // events, threads
using unique_reg_key = unique_handle<RegKeyTraits>;

// A DC obtained with GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Restores what was selected into a DC before.
class SelectionGuard {
public:
    SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;
    ~SelectionGuard() {
        if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

inline HWND ToHwnd(std::int32_t value) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(value));
}
inline std::int32_t FromHwnd(HWND window) {
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(window));
}

}  // namespace lumvale
