#pragma once
// The file tests share the media tests' helpers.
#include "engine/files/MediaTestSupport.h"

namespace filestest {
using namespace mediatest;
} // namespace filestest
