#pragma once
// A fresh, empty folder per test below the build's test area, and a headless binding
// pointed at it.

#include <string>

#include <gtest/gtest.h>

#include "platform/headless/Headless.h"
#include "support/TestFiles.h"

inline std::string FreshAppTestFolder() {
    return testsupport::FreshFolder("app");
}

// Points the headless binding at a fresh folder for the length of a test.
class HeadlessHomeTest : public testing::Test {
protected:
    void SetUp() override {
        home_ = FreshAppTestFolder();
        platform::headless::SetRoot(home_);
        platform::headless::ClearSpecialFolderOverrides();
    }
    void TearDown() override {
        platform::headless::ClearSpecialFolderOverrides();
        platform::headless::SetRoot("");
    }

    std::string home_;
};
