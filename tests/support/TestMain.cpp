#include <gtest/gtest.h>

#ifdef PYROSTAT_GUI_TEST
#include <QApplication>
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
#ifdef PYROSTAT_GUI_TEST
    // Widget tests run without a display unless one is asked for: listing
    // the tests (ctest's discovery) must not need one either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
