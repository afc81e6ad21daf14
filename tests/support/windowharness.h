#pragma once

#include "app/mainwindow.h"
#include "app/windowframe.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "support/fakebrowsercontrol.h"
#include "support/recordingshell.h"
#include "support/scriptedfiledialogs.h"
#include "support/scriptedprompter.h"

#include <QDir>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// Start-up folders inside dir: settings under config/, the program folder
// program/ and the documents folder Documents/ (both made), a fixed day and
// a 1600 x 1000 work area.
inline StartupEnvironment testEnvironment(const QTemporaryDir &dir)
{
    StartupEnvironment env;
    env.settingsFile = dir.filePath(QStringLiteral("config/Halvane/Vorlan.conf"));
    env.programFolder = dir.filePath(QStringLiteral("program/"));
    QDir().mkpath(env.programFolder);
    const QString documents = dir.filePath(QStringLiteral("Documents"));
    QDir().mkpath(documents);
    env.personalFolder = [documents] { return documents; };
    env.today = QDate(2026, 12, 6);
    env.workArea = QRect(0, 0, 1600, 1000);
    env.audioOutput = QStringLiteral("null"); // music plays in real time, unheard
    return env;
}

// A started main window in folders of the test's own; panes use the
// engine-less control unless realEngine is set.
struct WindowHarness
{
    QTemporaryDir dir;
    Settings settings;
    RuntimeFlags flags;
    ScriptedPrompter prompter;
    RecordingShell shell;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    bool started = false;

    explicit WindowHarness(bool realEngine = false)
    {
        window = std::make_unique<MainWindow>(settings, flags, prompter, shell, testEnvironment(dir));
        window->setFileDialogs(&dialogs);
        started = window->startUp();
        if (!started)
            return;
        flags.deleteDelay = 0;
        if (!realEngine)
            window->grid()->setControlFactory([](QWidget *parent) { return new FakeBrowserControl(parent); });
        window->show();
    }
    WindowFrame &frame() const { return *window->frame(); }
    BrowserGrid &grid() const { return *window->grid(); }
    template<typename T = QWidget>
    T *find(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    FakeBrowserControl *fake(int browserNo) const
    {
        return static_cast<FakeBrowserControl *>(grid().pane(browserNo)->control());
    }
};
