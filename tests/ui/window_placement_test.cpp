#include "ui/window_placement.h"

#include <gtest/gtest.h>

namespace vox {
namespace {

TEST(WindowPlacement, StoresThePositionOnlyInTheNormalState) {
    for (const bool normal : {true, false}) {
        MemoryUserStore store;
        store.setValue("ScrnTop", "15");
        WindowPlacement placement(store);
        placement.store(normal ? std::optional<WindowPlacement::Place>({1500, 3000})
                               : std::nullopt);
        EXPECT_EQ(store.value("ScrnTop"), normal ? "1500" : "15");
        EXPECT_EQ(store.value("ScrnLeft"),
                  normal ? std::optional<std::string>("3000") : std::nullopt);
    }
}

TEST(WindowPlacement, GarbageWindowPositionsAreIgnored) {
    MemoryUserStore store;
    store.setValue("ScrnTop", "12abc");
    store.setValue("ScrnLeft", "99999999999999999999");
    WindowPlacement placement(store);
    EXPECT_FALSE(placement.restore());
    EXPECT_FALSE(placement.current());

    store.setValue("ScrnTop", "-120");
    store.setValue("ScrnLeft", "4500");
    EXPECT_EQ(placement.restore(), WindowPlacement::Place(-120, 4500));
    placement.moved(300, 600);
    EXPECT_EQ(placement.current(), WindowPlacement::Place(300, 600));
}

}  // namespace
}  // namespace vox
