// The program: one instance at a time, enough memory, then the main window.
// A second start hands the log it was given to the running program.
#include "app/icons.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/startup_checks.h"
#include "platform/instance_channel.h"
#include "platform/qt_platform.h"
#include "platform/single_instance.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

namespace {

const char *const kUsage
    = "usage: vaziduvu [--current-adif] [--reset-settings] [FILE]\n"
      "       vaziduvu --help | --version\n"
      "\n"
      "Opens an ADIF log (.adi, .adif, .badi) for viewing and careful editing.\n"
      "With FILE, opens it at start; when the program already runs, FILE is\n"
      "handed to it and this start ends.\n"
      "\n"
      "  --current-adif  start with Format > Current ADIF (3.1.6) on: the\n"
      "                  vocabulary and reading rules of ADIF 3.1.6\n"
      "  --reset-settings\n"
      "                  forget the window's size, panels, font, folder,\n"
      "                  options and recent logs: start as the first time\n"
      "  --help          show this text\n"
      "  --version       show the version\n";

struct Arguments {
    std::string file;  // as given, empty: none
    bool help = false;
    bool version = false;
    bool currentAdif = false;
    bool resetSettings = false;
    std::string error;
};

Arguments parseArguments(int argc, char *argv[])
{
    Arguments arguments;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!optionsEnd && argument == "--")
            optionsEnd = true;
        else if (!optionsEnd && (argument == "--help" || argument == "-h"))
            arguments.help = true;
        else if (!optionsEnd && argument == "--version")
            arguments.version = true;
        else if (!optionsEnd && argument == "--current-adif")
            arguments.currentAdif = true;
        else if (!optionsEnd && argument == "--reset-settings")
            arguments.resetSettings = true;
        else if (!optionsEnd && argument.size() > 1 && argument[0] == '-')
            arguments.error = "unknown option '" + argument + "'";
        else if (arguments.file.empty())
            arguments.file = argument;
        else
            arguments.error = "only one FILE can be opened";
    }
    return arguments;
}

// Where unsaved changes are journaled: $XDG_STATE_HOME/vaziduvu/recovery,
// by default ~/.local/state/vaziduvu/recovery.
std::string recoveryFolder()
{
    const char *state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/vaziduvu/recovery";
    const char *home = std::getenv("HOME");
    if (!home || home[0] != '/')
        return {};
    return std::string(home) + "/.local/state/vaziduvu/recovery";
}

void showStartFailure(vaziduvu::Platform &platform, const std::string &text)
{
    try {
        platform.showPlainMessage(nullptr, text);
    } catch (...) {  // the last resort of a failed start: nothing more can be said
    }
}

}  // namespace

int main(int argc, char *argv[])
{
    using namespace vaziduvu;

    const Arguments arguments = parseArguments(argc, argv);
    if (!arguments.error.empty()) {
        std::cerr << "vaziduvu: " << arguments.error << "\n\n" << kUsage;
        return 2;
    }
    if (arguments.help) {
        std::cout << kUsage;
        return 0;
    }
    if (arguments.version) {
        std::cout << "vaziduvu " << VAZIDUVU_VERSION << '\n';
        return 0;
    }
    // The path as the running program must see it, whatever its folder.
    const QString file = arguments.file.empty()
        ? QString()
        : QFileInfo(QFile::decodeName(QByteArray::fromStdString(arguments.file)))
              .absoluteFilePath();

    // A second copy hands over its log (or just raises the window) and leaves
    // at once. When the lock cannot be taken for another reason than a
    // running copy, the program runs.
    // VAZIDUVU_INSTANCE names another lock: tests run the program beside a
    // copy a person may have open.
    const char *const lockOverride = std::getenv("VAZIDUVU_INSTANCE");
    const std::string lockName = lockOverride && *lockOverride ? lockOverride : kInstanceLockName;
    SingleInstanceLock instance;
    const QString channelName = instanceChannelName(QString::fromStdString(lockName));
    if (instance.acquire(lockName, 100) == SingleInstanceLock::Outcome::HeldElsewhere) {
        InstanceChannel::send(channelName, file, 250);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(VAZIDUVU_VERSION));
    // Ties the window to the installed desktop entry (its name and icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("vaziduvu"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vaziduvu"), programIcon()));

    QtPlatform platform;
    try {
        if (!enoughResourcesToStart(platform)) {
            showStartFailure(platform,
                             "Not enough physical memory available to run the application.");
            return 1;
        }
        Preferences preferences;
        if (arguments.resetSettings)
            preferences.clear();
        MainWindow window(platform);
        window.usePreferences(preferences);
        window.useRecoveryFolder(recoveryFolder());
        if (arguments.currentAdif)
            window.setAdifMode(AdifMode::Current);
        InstanceChannel channel;
        channel.listen(channelName);
        QObject::connect(&channel, &InstanceChannel::openRequested, &window,
                         [&window](const QString &path) {
                             window.openFile(QFile::encodeName(path).toStdString());
                         });
        window.show();
        // Changes left by a session that did not end cleanly come first.
        QTimer::singleShot(0, &window, [&window] { window.offerRecovery(); });
        if (!file.isEmpty()) {
            QTimer::singleShot(0, &window, [&window, &file] {
                window.openFile(QFile::encodeName(file).toStdString());
            });
        }
        QApplication::exec();
    } catch (const std::exception &error) {
        showStartFailure(platform, error.what());
        return 1;
    } catch (...) {  // the program's outermost boundary
        showStartFailure(platform, "The program stopped because of an unexpected error.");
        return 1;
    }
    return 0;
}
