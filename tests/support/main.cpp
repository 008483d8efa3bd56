// Every test program runs headless with one application object.
#include "platform/input_guard.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {
// Each test's input starts its own moments from nothing: what an earlier
// test's input left would judge it.
class FreshInput : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { inputguard::install(); }
};
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshInput);
    return RUN_ALL_TESTS();
}
