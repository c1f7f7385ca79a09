#include <gtest/gtest.h>

#include "controls/memory_controls.h"
#include "controls_cases.h"

namespace tavro::testing {
namespace {

TEST(MemoryControls, PassesTheControlsTable) {
    for (const auto& c : ControlsCases()) {
        controls::MemoryControls memory;
        EXPECT_EQ(c.run(memory), "") << c.name;
    }
}

}  // namespace
}  // namespace tavro::testing
