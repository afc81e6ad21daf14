#pragma once

#include "appearance/aestheticprofiles.h"

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QStringList>

#include <functional>

class Prompter;
struct Settings;

// The colour editor and profile list of the options page "Aesthetics":
// which colour object is chosen and the colour it shows, the profile box's
// list and text, and whether the values were changed since a scheme or
// profile was chosen ("..Save me.."). It holds no widgets; the page shows
// its state and hands it the user's choices.
class AestheticsEditor : public QObject
{
    Q_OBJECT
public:
    static constexpr int ModifiedColour = 15780518; // the profile box while the values are unsaved

    struct Actions
    {
        std::function<bool()> applyAppearance; // ApplyAppearance
        std::function<bool()> applyColours;    // ApplyColours
        std::function<QPalette()> palette;     // the system colours of "System Inherited"
    };

    AestheticsEditor(Settings &settings, Prompter &prompter, const QString &dataFolder, Actions actions,
                     QObject *parent = nullptr);

    // cbProfileFiles: the schemes and profiles, the box's text, and whether
    // one of the list is chosen.
    QStringList profileList() const { return m_list; }
    QString profileText() const { return m_text; }
    bool isModified() const { return m_modified; }
    // cbColorObjects (-1: none) and the colour cbColorBox shows (invalid: none).
    int colourObject() const { return m_colourObject; }
    QColor shownColour() const;

    // PopulateProfileList: the list filled anew, nothing chosen, not modified.
    bool populateProfileList();

    // cbColorObjectsSelect.
    void selectColourObject(int index);
    // cbColorBoxSelect: the chosen object takes the colour (as plain RGB) and
    // the window repaints.
    void selectColour(const QColor &colour);
    // A style (bevel, bar, glyphs) changed on the page: the values differ
    // from the chosen profile.
    void markModified();
    // What the user types into the profile box.
    void setProfileText(const QString &text);
    // cbProfileFilesSelect: a scheme applied or a profile loaded.
    void selectProfile(const QString &text);
    // cbProfileFilesKeyDown: Enter saves while the values are unsaved.
    void enterPressed();
    // btnSaveProfileClick and btnDeleteProfileClick.
    void saveProfile();
    void deleteProfile();

    // Without the ends' blanks and control characters.
    static QString trimmedName(const QString &text);

signals:
    // The page shows the state anew.
    void changed();
    // The Aesthetics features' two boxes lose their choice.
    void featuresDeselected();

private:
    void clearModified();
    void applySystemDefault();
    bool refill();

    Settings &m_settings;
    Prompter &m_prompter;
    AestheticProfiles m_profiles;
    Actions m_actions;
    QStringList m_list;
    QString m_text;
    bool m_modified = false;
    int m_colourObject = -1;
};
