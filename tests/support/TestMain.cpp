#include <gtest/gtest.h>

#ifdef PYROSTAT_GUI_TEST
#include <QApplication>
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
#ifdef PYROSTAT_GUI_TEST
    QApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
