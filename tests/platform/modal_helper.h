#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace vaziduvu::test {

// Runs the action on the next modal window once it is shown (the caller then
// starts the modal loop). A window that is not closed by the action is
// closed after it, so a failing test cannot hang in exec().
inline void whenModalShown(std::function<void(QWidget *)> action)
{
    auto attempts = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action = std::move(action), attempts, poll]() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            if (++*attempts < 1000)
                QTimer::singleShot(1, *poll);
            return;
        }
        action(modal);
        if (modal->isVisible())
            modal->close();
        *poll = nullptr;  // breaks the self-reference
    };
    QTimer::singleShot(0, *poll);
}

}  // namespace vaziduvu::test
