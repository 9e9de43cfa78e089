#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vaziduvu {

// Puts a window in the middle of the screen its parent is on (dialogs of this
// program open centred on the screen, not on the main window).
inline void centreOnScreen(QWidget &window)
{
    const QWidget *parent = window.parentWidget();
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window.move(screen->availableGeometry().center() - window.rect().center());
}

}  // namespace vaziduvu
