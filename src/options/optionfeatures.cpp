#include "options/optionfeatures.h"

#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "options/optionshooks.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace OptionFeatures {

QStringList sortedChoices(QStringList choices)
{
    std::stable_sort(choices.begin(), choices.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return choices;
}

QList<FeatureRow> browserRows(Settings &settings, RuntimeFlags &flags)
{
    const Settings defaults;
    QList<FeatureRow> rows;
    rows << FeatureRow{"Background processes", {"No suspend on minimize", "Suspend on minimize"},
                       &settings.backgroundProcesses, defaults.backgroundProcesses, 1};
    FeatureRow connection{"Connection state", {"Off Line", "On Line"}, &flags.connectionState, 1, 1};
    connection.onChange = &OptionsHooks::connectionStateChanged;
    rows << connection;
    FeatureRow history{"History retention",
                       {"Clear after 30 days", "Clear after 60 days", "Clear after 90 days", "Clear every session"},
                       &settings.historyRetention, defaults.historyRetention, 0};
    history.onChange = &OptionsHooks::renewHistoryDates;
    history.failure = QStringLiteral("Could not update the history retention dates.");
    rows << history;
    rows << FeatureRow{"Pop up browser", {"Auto external", "Auto internal", "Manual"}, &settings.popUpBrowser,
                       defaults.popUpBrowser, 0};
    FeatureRow delay{"Scanner delay", {"1 second", "5 seconds", "10 seconds", "20 seconds", "30 seconds"},
                     &settings.scannerSpeed, defaults.scannerSpeed, 0};
    delay.onChange = &OptionsHooks::resetScannerTimers;
    rows << delay;
    FeatureRow refresh{"Scanner refresh interval",
                       {"Begin every 5 minutes", "Begin every 10 minutes", "Begin every 20 minutes",
                        "Begin every 30 minutes", "Do not use refresh"},
                       &settings.scannerRefreshInterval, defaults.scannerRefreshInterval, 4};
    refresh.onChange = &OptionsHooks::resetScannerTimers;
    rows << refresh;
    FeatureRow search{"Search engine address", {}, nullptr};
    search.text = &settings.searchEngineAddress;
    search.resetText = defaults.searchEngineAddress;
    rows << search;
    rows << FeatureRow{"Stop button redirect", {"Force 'about:blank'", "Inherited"}, &settings.stopButton,
                       defaults.stopButton, 1};
    return rows;
}

QList<FeatureRow> aestheticsRows(Settings &settings)
{
    const Settings defaults;
    QList<FeatureRow> rows;
    FeatureRow bevel{"Address bar bevel", {"Flat", "Inherited", "Soft"}, &settings.addressBarBevel,
                     defaults.addressBarBevel, 1};
    bevel.onChange = &OptionsHooks::applyAddressBarBevel;
    bevel.failure = QStringLiteral("Could not change the web address bar bevel.");
    bevel.resetFailure = QStringLiteral("Could not change web address bar bevel.");
    FeatureRow bar{"Button bar position", {"Bottom", "Top"}, &settings.buttonBarPosition,
                   defaults.buttonBarPosition, 0};
    bar.onChange = &OptionsHooks::applyButtonBarPosition;
    bar.failure = QStringLiteral("Could not change the button bar position.");
    bar.resetFailure = QStringLiteral("Could not change button bar position.");
    FeatureRow glyphs{"Button glyph style", {"Beveled", "Color", "None"}, &settings.buttonGlyphStyle,
                      defaults.buttonGlyphStyle, 0};
    glyphs.onChange = &OptionsHooks::applyColours;
    glyphs.failure = QStringLiteral("Could not update the color settings.");
    glyphs.resetFailure = QStringLiteral("Could not change the button glyphs.");
    FeatureRow size{"Grid background image size", {"Original", "Size to browser"},
                    &settings.gridBackgroundImageSize, defaults.gridBackgroundImageSize, 0};
    size.onChange = &OptionsHooks::applyGridBackgroundSize;
    size.failure = QStringLiteral("Could not change the grid background image size");
    size.resetFailure = size.failure;
    for (FeatureRow *row : {&bevel, &bar, &glyphs, &size}) {
        row->reapplyOnReset = true;
        row->marksProfile = row != &size; // the picture's size is no part of a profile
        rows << *row;
    }
    return rows;
}

QList<FeatureRow> generalRows(Settings &settings)
{
    const Settings defaults;
    QList<FeatureRow> rows;
    FeatureRow hints{"Application hints", {"Both pop-up and status", "None", "Pop-up bubble", "Top status bar"},
                     &settings.applicationHints, defaults.applicationHints, 0};
    hints.onChange = &OptionsHooks::applyApplicationHints;
    hints.failure = QStringLiteral("Could not update the application hints.");
    hints.reapplyOnReset = true;
    hints.resetFailure = hints.failure;
    FeatureRow corners{"Corner hints", {"None", "Show"}, &settings.cornerHints, defaults.cornerHints, 1};
    corners.onChange = &OptionsHooks::applyCornerHints;
    corners.reapplyOnReset = true;
    rows << hints << corners;
    rows << FeatureRow{"Window size", {"Desktop", "Workarea"}, &settings.windowSize, defaults.windowSize, 1};
    return rows;
}

QList<FeatureRow> extrasRows(Settings &settings)
{
    const Settings defaults;
    QList<FeatureRow> rows;
    rows << FeatureRow{"Click activates pane", {"No", "Yes"}, &settings.clickActivatesPane,
                       defaults.clickActivatesPane, defaults.clickActivatesPane};
    FeatureRow music{"Music pauses for pane sound", {"No", "Yes"}, &settings.musicPausesForPaneSound,
                     defaults.musicPausesForPaneSound, defaults.musicPausesForPaneSound};
    music.onChange = &OptionsHooks::applyMusicHold;
    music.reapplyOnReset = true;
    FeatureRow sound{"Pane sound", {"Every pane", "The active pane only", "No pane"}, &settings.paneSound,
                     defaults.paneSound, defaults.paneSound};
    sound.onChange = &OptionsHooks::applyPaneSound;
    sound.failure = QStringLiteral("Could not change the sound of the panes.");
    sound.reapplyOnReset = true;
    sound.resetFailure = sound.failure;
    FeatureRow lifecycle{"Pages out of view",
                         {"Keep all pages live", "Freeze pages out of view", "Discard pages out of view"},
                         &settings.pagesOutOfView, defaults.pagesOutOfView, defaults.pagesOutOfView};
    lifecycle.onChange = &OptionsHooks::applyPagesOutOfView;
    lifecycle.reapplyOnReset = true;
    rows << music << lifecycle << sound;
    rows << FeatureRow{"Restore session", {"No", "Yes"}, &settings.restoreSession, defaults.restoreSession,
                       defaults.restoreSession};
    // Read once at start: the engine's processes are made with the program.
    rows << FeatureRow{"Page processes", {"One per site", "Shared, lighter"}, &settings.pageProcesses,
                       defaults.pageProcesses, defaults.pageProcesses};
    return rows;
}

} // namespace OptionFeatures

FeaturePair::FeaturePair(QList<FeatureRow> rows, bool sorted, QComboBox *features, QComboBox *actions,
                         QLineEdit *text, Prompter &prompter, const OptionsHooks &hooks,
                         std::function<void()> markProfile, QObject *parent)
    : QObject(parent), m_rows(std::move(rows)), m_features(features), m_actions(actions), m_text(text),
      m_prompter(prompter), m_hooks(hooks), m_markProfile(std::move(markProfile))
{
    if (sorted) {
        // A sorted list stores the position in alphabetical order; the
        // fallback and reset values name the same choices as before.
        for (FeatureRow &row : m_rows) {
            const QStringList listed = row.choices;
            row.choices = OptionFeatures::sortedChoices(row.choices);
            row.fallback = int(row.choices.indexOf(listed.value(row.fallback)));
            row.resetValue = int(row.choices.indexOf(listed.value(row.resetValue)));
        }
    }
    for (const FeatureRow &row : m_rows)
        m_features->addItem(row.feature);
    m_features->setCurrentIndex(-1);
    if (m_text)
        m_text->hide();
    connect(m_features, &QComboBox::activated, this, &FeaturePair::selectFeature);
    connect(m_actions, &QComboBox::activated, this, &FeaturePair::selectAction);
    if (m_text)
        connect(m_text, &QLineEdit::textEdited, this, &FeaturePair::editText);
}

const FeatureRow *FeaturePair::currentRow() const
{
    const int index = m_features->currentIndex();
    return index >= 0 && index < m_rows.size() ? &m_rows[index] : nullptr;
}

void FeaturePair::selectFeature(int index)
{
    if (m_features->currentIndex() != index)
        m_features->setCurrentIndex(index);
    m_actions->clear();
    const FeatureRow *row = currentRow();
    if (!row)
        return;
    if (row->text) {
        m_actions->hide();
        if (m_text) {
            m_text->setText(*row->text);
            m_text->show();
        }
        return;
    }
    if (m_text)
        m_text->hide();
    m_actions->addItems(row->choices);
    m_actions->show();
    // A stored value that names no choice (a damaged or hand-edited settings
    // file) is taken as the default, never used as an index.
    if (*row->value < 0 || *row->value >= row->choices.size())
        *row->value = row->fallback;
    m_actions->setCurrentIndex(*row->value);
}

void FeaturePair::selectAction(int index)
{
    const FeatureRow *row = currentRow();
    if (!row || !row->value || index < 0 || index >= row->choices.size())
        return;
    if (m_actions->currentIndex() != index)
        m_actions->setCurrentIndex(index);
    *row->value = index;
    if (row->marksProfile && m_markProfile)
        m_markProfile();
    run(*row, row->failure);
}

void FeaturePair::editText(const QString &text)
{
    const FeatureRow *row = currentRow();
    if (row && row->text)
        *row->text = text;
}

bool FeaturePair::run(const FeatureRow &row, const QString &failure)
{
    if (!row.onChange)
        return true;
    const std::function<bool()> &hook = m_hooks.*row.onChange;
    bool ok = true;
    try {
        ok = !hook || hook();
    } catch (...) {
        ok = false;
    }
    if (!ok && !failure.isEmpty())
        m_prompter.showInformation(failure);
    return ok;
}

void FeaturePair::deselect()
{
    m_features->setCurrentIndex(-1);
    m_actions->setCurrentIndex(-1);
}

bool FeaturePair::reset()
{
    if (!m_prompter.askConfirmation(QStringLiteral("Reset features?")))
        return false;
    for (const FeatureRow &row : m_rows) {
        if (row.value)
            *row.value = row.resetValue;
        if (row.text)
            *row.text = row.resetText;
    }
    deselect();
    // Back to the list for the next feature (the free-text box was showing).
    if (m_text)
        m_text->hide();
    m_actions->show();
    for (const FeatureRow &row : m_rows)
        if (row.reapplyOnReset)
            run(row, row.resetFailure);
    return true;
}
