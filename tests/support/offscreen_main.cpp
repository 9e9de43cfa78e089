// The main of the test programs that need a QApplication: widgets run
// offscreen unless the environment asks for a real display. Settings and
// recovery journals go to folders of the test run's own, so no test reads
// what a person's copy of the program (or an earlier test run) left.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    if (home.isValid()) {
        setenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit().constData(), 1);
        setenv("XDG_STATE_HOME", (home.path() + "/state").toLocal8Bit().constData(), 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
