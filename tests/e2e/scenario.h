#pragma once
// The fixture of the end-to-end groups: every scenario starts with no key or
// button held and a store in which the settings were saved once (so that no
// first-run dialog opens), with the beep off unless it asks for it, and
// leaves an empty store behind.

#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {

class Scenario : public ::testing::Test {
protected:
    void SetUp() override {
        ReleaseEverything();
        ResetStore();
        MarkSettingsSaved();
        WriteValue(kSettingsSection, L"Beep", L"0");
    }
    void TearDown() override {
        ReleaseEverything();
        ResetStore();
    }
};

}  // namespace e2e
