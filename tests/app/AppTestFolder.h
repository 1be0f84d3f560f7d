#pragma once
// A fresh, empty folder per test below the build's test area, and a headless binding
// pointed at it.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/headless/Headless.h"

inline std::string FreshAppTestFolder() {
    const char* base = std::getenv("RONDELIX_TEST_TMP");
    std::filesystem::path root = base != nullptr
                                     ? std::filesystem::path(base)
                                     : std::filesystem::temp_directory_path() / "rondelix-test";
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    root /= std::string("app-") + info->test_suite_name() + "-" + info->name();
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
    std::filesystem::create_directories(root, ec);
    return root.string();
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
