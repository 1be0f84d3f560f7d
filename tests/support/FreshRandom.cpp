// Every test starts from the generator's first state, as it would in a process of its
// own: ctest runs one test per process, the mutation runs and the Windows build run the
// whole binary in one, and a game test must play the same way in both.
#include <gtest/gtest.h>

#include "app/QxRandom.h"

namespace {

class FreshRandom : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { SeedRandom(4357); }
};

const bool kInstalled = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new FreshRandom);
    return true;
}();

} // namespace
