#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class Prompter;
class QComboBox;
class QLineEdit;
struct OptionsHooks;
struct RuntimeFlags;
struct Settings;

// One feature of a "Features and Actions" pair: the choices the right-hand
// list offers, the value the chosen index is stored in, and what runs after
// a change.
struct FeatureRow
{
    QString feature{};
    QStringList choices{};     // in the order listed; sorted pages sort them
    int *value = nullptr;      // the stored index; null for the free-text feature
    int fallback = 0;          // shown and stored when the value names no choice
    int resetValue = 0;
    QString *text = nullptr;   // the free-text feature's value (edBroActions)
    QString resetText{};
    std::function<bool()> OptionsHooks::*onChange = nullptr; // null: nothing runs
    QString failure{};         // when onChange reports false after a choice
    bool reapplyOnReset = false;
    QString resetFailure{};     // when onChange reports false after a reset
    bool marksProfile = false; // the aesthetic profile differs from the one chosen
};

// The rows of the pages, bound to the values they edit.
namespace OptionFeatures {
QList<FeatureRow> browserRows(Settings &settings, RuntimeFlags &flags);
QList<FeatureRow> aestheticsRows(Settings &settings);
QList<FeatureRow> generalRows(Settings &settings);
// The program's own additions, listed in their order.
QList<FeatureRow> extrasRows(Settings &settings);
// The choices in the order a sorted list shows them.
QStringList sortedChoices(QStringList choices);
} // namespace OptionFeatures

// A features list and its actions list working as one: choosing a feature
// lists its choices with the current one selected; choosing a choice stores
// its index and runs the feature's change; "Reset" restores the page's
// defaults after asking.
class FeaturePair : public QObject
{
    Q_OBJECT
public:
    // sorted: the actions list shows the choices alphabetically, so the
    // stored index is the alphabetical position. text: the edit box shown instead of the actions list for a free-text
    // feature (may be null when the page has none). markProfile: the
    // aesthetic profile's modified mark.
    FeaturePair(QList<FeatureRow> rows, bool sorted, QComboBox *features, QComboBox *actions, QLineEdit *text,
                Prompter &prompter, const OptionsHooks &hooks, std::function<void()> markProfile = {},
                QObject *parent = nullptr);

    const QList<FeatureRow> &rows() const { return m_rows; }
    // The chosen feature's row, or null.
    const FeatureRow *currentRow() const;

    void selectFeature(int index);
    void selectAction(int index);
    // The typed text of the free-text feature.
    void editText(const QString &text);
    // Asks "Reset features?"; true when the defaults were restored.
    bool reset();
    // Both lists without a choice.
    void deselect();

private:
    bool run(const FeatureRow &row, const QString &failure);

    QList<FeatureRow> m_rows;
    QComboBox *m_features;
    QComboBox *m_actions;
    QLineEdit *m_text;
    Prompter &m_prompter;
    const OptionsHooks &m_hooks;
    std::function<void()> m_markProfile;
};
