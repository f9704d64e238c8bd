// wine_faults.exe runs its tests, or with "--hold" serves them as the other process that
// holds a file open (FaultsWineEnv.h).
#include <gtest/gtest.h>

#include <cstring>

#include "tests/wine/faults/FaultsWineEnv.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--hold") == 0)
        return dv::winetest::holdFileMain(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
