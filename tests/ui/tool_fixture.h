// A test folder that is also the program's current directory, for the tests
// of the console manager and the launchers: stand-in programs are written
// into it, and the settings file lies in it. The console manager's shared
// paths are cleared after each test function. A test class derives from it
// and adds its own test functions as private slots.
#pragma once

#include "scripted_dialogs.h"
#include "test_folder.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

class ToolFixture : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<TestFolder> folder;
    QString base;  // the test folder without symbolic links (`pwd -P`), in the system's separators
    std::unique_ptr<ScriptedDialogs> dialogs;

    // A path in the test folder, in the system's form, as its file dialogs
    // give paths and as the windows store them.
    QString at(const QString& name) const;
    QString settingsPath() const { return at(QStringLiteral("dravik2.INI")); }
    QString makeFolder(const QString& name) const;
    void writeSettings(const QByteArray& text) const;
    // An executable shell script with the given body; its path.
    QString script(const QString& name, const QByteArray& body) const;
    // The lines a stand-in wrote into its record file; "<not run>" when none.
    static QStringList Record(const QString& path);
    static std::string Bytes(const QString& text);

protected slots:
    // Not test functions: Qt Test calls them around each one.
    void init();
    void cleanup();

private:
    QString previousDirectory_;
};
