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

void TForm1::About1Click()
{
    try {
        if (!aboutBox_)
            aboutBox_ = new TAboutBox(this);
        platform_.runModal(*aboutBox_);
    } catch (...) {
    }
}

void TForm1::ToolButton3Click()
{
    try {
        if (!aboutBox_)
            aboutBox_ = new TAboutBox(this);
        platform_.runModal(*aboutBox_);
    } catch (...) {
    }
}

void TForm1::Overview1Click()
{
    try {
        if (!platform_.showHelp(this, kHelpFile, kHelpContext))
            ShowMessageBox("Problem:", "Could not display help");
    } catch (...) {
        ShowMessageBox("Problem:", "Could not find help file");
    }
}

void TForm1::ToolButton4Click() { Overview1Click(); }

}  // namespace vaziduvu
