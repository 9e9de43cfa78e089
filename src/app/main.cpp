// The program: one instance at a time, enough memory, then the main window.
#include "app/icons.h"
#include "app/main_window.h"
#include "app/startup_checks.h"
#include "platform/qt_platform.h"
#include "platform/single_instance.h"

#include <QApplication>

#include <exception>
#include <string>

namespace {

void showStartFailure(vaziduvu::Platform &platform, const std::string &text)
{
    try {
        platform.showPlainMessage(nullptr, text);
    } catch (...) {
    }
}

}  // namespace

int main(int argc, char *argv[])
{
    using namespace vaziduvu;

    // A second copy leaves at once and says nothing. When the lock cannot be
    // taken for another reason than a running copy, the program runs.
    SingleInstanceLock instance;
    if (instance.acquire(kInstanceLockName, 400) == SingleInstanceLock::Outcome::HeldElsewhere)
        return 0;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QApplication::setWindowIcon(programIcon());

    QtPlatform platform;
    try {
        if (!enoughResourcesToStart(platform)) {
            showStartFailure(platform,
                             "Not enough physical memory available to run the application.");
            return 0;
        }
        MainWindow window(platform);
        window.show();
        QApplication::exec();
    } catch (const std::exception &error) {
        showStartFailure(platform, error.what());
    } catch (...) {
        showStartFailure(platform, "The program stopped because of an unexpected error.");
    }
    return 0;
}
