#pragma once
// Owners of the handles that the seam hands out, so that every path closes
// what it opened.

#include <utility>

#include "platform/platform.h"

namespace lumvale {

class ScopedRegKey {
public:
    ScopedRegKey(Platform& platform, RegKeyHandle key) : platform_(&platform), key_(key) {}
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;
    ~ScopedRegKey() {
        if (key_ != 0) platform_->RegCloseKey(key_);
    }
    RegKeyHandle get() const { return key_; }
    explicit operator bool() const { return key_ != 0; }

private:
    Platform* platform_;
    RegKeyHandle key_;
};

class ScopedSnapshot {
public:
    ScopedSnapshot(Platform& platform, SnapshotHandle snapshot)
        : platform_(&platform), snapshot_(snapshot) {}
    ScopedSnapshot(const ScopedSnapshot&) = delete;
    ScopedSnapshot& operator=(const ScopedSnapshot&) = delete;
    ~ScopedSnapshot() {
        if (snapshot_ != kInvalidSnapshot) platform_->CloseHandle(snapshot_);
    }
    SnapshotHandle get() const { return snapshot_; }
    explicit operator bool() const { return snapshot_ != kInvalidSnapshot; }

private:
    Platform* platform_;
    SnapshotHandle snapshot_;
};

}  // namespace lumvale
