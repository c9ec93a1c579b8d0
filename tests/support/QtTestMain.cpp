#include <QApplication>
#include <cstdlib>

#include <gtest/gtest.h>

// One QApplication for the whole run; widget tests never show a real window system.
int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
