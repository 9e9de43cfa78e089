#pragma once

#include "app/main_window.h"
#include "platform/scripted_platform.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

namespace vaziduvu::test {

// The real main window, offscreen, answering every question from a script.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        platform.currentDirectoryText = folder.path().toStdString();
        form = std::make_unique<TForm1>(platform);
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

    static std::string readFile(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // Chooses the file in the scripted open dialog and runs the Open command.
    void open(const std::string &path)
    {
        platform.queueFileName(path);
        form->Open1Click();
    }

    void openText(const std::string &adif, const std::string &name = "log.adi")
    {
        open(writeFile(name, adif));
    }

    QTemporaryDir folder;
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form;
};

}  // namespace vaziduvu::test
