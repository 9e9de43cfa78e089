// Help and the about box.
#include "app/about_box.h"
#include "app/main_window.h"
#include "platform/platform.h"

namespace vaziduvu {

namespace {

// The help file is named without a folder: the platform knows where the
// program's help lives.
const char *const kHelpFile = "VAZIDUVU.HLP";
constexpr int kHelpContext = 100;

}  // namespace

void MainWindow::showAbout()
{
    guarded("Could not show the about box.", [this] { platform_.runModal(*aboutBox_); });
}

void MainWindow::showHelp()
{
    guarded("Could not find help file", [this] {
        if (!platform_.showHelp(this, kHelpFile, kHelpContext))
            showMessage("Problem:", "Could not display help");
    });
}

}  // namespace vaziduvu
