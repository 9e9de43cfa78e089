#pragma once

#include "app/grid_delegate.h"
#include "app/grid_model.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "platform/scripted_platform.h"
#include "test_files.h"

#include <QAction>
#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

namespace vaziduvu::test {

// The window's insides, reached as a user or a screen reader would: by
// object name.
template <typename T = QWidget> T *child(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no " << name;
    return found;
}

inline QAction *action(const MainWindow &window, const char *name)
{
    return child<QAction>(window, name);
}

// Runs a command the way the menu or the toolbar does.
inline void trigger(MainWindow &window, const char *name)
{
    if (QAction *command = action(window, name))
        command->trigger();
}

inline QTableView *gridView(const MainWindow &window)
{
    return child<QTableView>(window, "gridView");
}

inline GridModel &gridModel(const MainWindow &window)
{
    return *static_cast<GridModel *>(gridView(window)->model());
}

inline GridDelegate &gridDelegate(const MainWindow &window)
{
    return *static_cast<GridDelegate *>(gridView(window)->itemDelegate());
}

// Shows the document again after a test changed it directly.
// The window becomes the active one, as when the user clicks on it.
inline void activate(MainWindow &window)
{
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activation);
}

inline void reloadGrid(const MainWindow &window)
{
    gridModel(window).reload();
}

// Sets a cell's text as the in-place editor does when an edit is committed.
inline void editCell(const MainWindow &window, int column, int row, const std::string &text)
{
    GridModel &model = gridModel(window);
    model.setData(model.index(row - 1, column - 1), toQt(text), Qt::EditRole);
}

// An edit that leaves the data as it was: a cell typed over and typed back.
// The change light turns yellow as for any edit.
inline void editAndRestore(const MainWindow &window)
{
    const std::string before(window.document().text(1, 1));
    editCell(window, 1, 1, before + "X");
    editCell(window, 1, 1, before);
}

// Save As with the scripted platform answering; true when the window says it
// saved (its caption names a new file).
inline bool saveAsCommand(MainWindow &window)
{
    const std::string before = window.caption();
    trigger(window, "saveAsAction");
    return window.caption() != before && window.caption().rfind(" File: ", 0) == 0;
}

// The real main window, offscreen, answering every question from a script.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        platform.currentDirectoryText = folder.path().toStdString();
        form = std::make_unique<MainWindow>(platform);
    }

    // Writes a file into the test's folder and returns its path.
    std::string writeFile(const std::string &name, const std::string &bytes)
    {
        const std::string path = folder.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream out(path, std::ios::binary);
        out << bytes;
        return path;
    }

    std::string pathIn(const std::string &name) const
    {
        return folder.filePath(QString::fromStdString(name)).toStdString();
    }

    static std::string readFile(const std::string &path) { return readBytes(path); }

    // Chooses the file in the scripted open dialog and runs the Open command.
    void open(const std::string &path)
    {
        platform.queueFileName(path);
        trigger(*form, "openAction");
    }

    void openText(const std::string &adif, const std::string &name = "log.adi")
    {
        open(writeFile(name, adif));
    }

    template <typename T = QWidget> T *widget(const char *name) const
    {
        return child<T>(*form, name);
    }

    QTemporaryDir folder;
    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> form;
};

}  // namespace vaziduvu::test
