#pragma once

#include "appearance/panelook.h"
#include "core/runtimeflags.h"
#include "pane/browserpane.h"
#include "pane/panehost.h"
#include "support/scriptedprompter.h"

#include <QList>
#include <QStringList>

#include <functional>

// A pane host without a grid: it records what its panes report, answers
// from fields, and makes new panes (for pop-ups) only when makePane is set.
class RecordingPaneHost : public PaneHost
{
public:
    bool activateBrowser(int browserNo) override
    {
        activated << browserNo;
        return activationWorks;
    }
    int openEmptyBrowser() override { return makePane ? makePane() : int(NoIndex); }
    BrowserControl *browserControl(int browserNo) const override
    {
        BrowserPane *pane = panes.value(browserNo);
        return pane ? pane->control() : nullptr;
    }
    void addToHistory(const QString &address) override { history << address; }
    void setBrowserInfo(const QString &text) override { browserInfo << text; }
    void setActiveIP(const QString &text) override { activeIP << text; }
    Prompter &prompter() const override { return m_prompter; }
    int popUpBrowserSetting() const override { return popUpSetting; }
    Qt::KeyboardModifiers keyboardModifiers() const override
    {
        ++keyReads;
        return keys;
    }
    bool scannerRunning() const override { return scanner; }
    SearchOnDownload searchOnDownload() const override { return search; }
    bool clickActivatesPane() const override { return clickActivates; }

    QStringList messages() const { return m_prompter.texts(); }

    ScriptedPrompter &scripted() { return m_prompter; }

    // Answers.
    bool activationWorks = true;
    int popUpSetting = 2;
    Qt::KeyboardModifiers keys = Qt::NoModifier;
    bool scanner = false;
    bool clickActivates = true;
    SearchOnDownload search{{}, QColor(0xFF, 0x00, 0xFF), false};
    std::function<int()> makePane;
    QList<BrowserPane *> panes; // by browser number

    // Records.
    QList<int> activated;
    QStringList history;
    QStringList browserInfo;
    QStringList activeIP;
    mutable int keyReads = 0;

private:
    mutable ScriptedPrompter m_prompter;
};

// Fixed colours and no button pictures.
class PlainPaneLook : public PaneLook
{
public:
    PaneColours colours() const override { return {Qt::red, Qt::gray, Qt::black, Qt::white}; }
    PaneButtonSkin buttonSkin(bool, bool) const override { return {}; }
    QImage picture(PanePicture) const override { return {}; }
};
