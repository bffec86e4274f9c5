// The Qt backend's tests run on real widgets, offscreen unless told otherwise.

#include "framework/qt/QtPlatform.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    fw::InstallQtPlatform(argc, argv);
    return RUN_ALL_TESTS();
}
