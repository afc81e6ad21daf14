#pragma once

#include <QImage>
#include <QObject>
#include <QStringList>

class CommandRegistry;
class FileDialogs;
class Prompter;
class SkinButton;
class SkinImages;
struct Settings;

// The custom button skCustom: starts the program the user chose, with the
// hint and glyph the user chose ("custom button path", "hint", "glyph").
class CustomButton : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxHintLength = 40;
    // The glyph list's entries "1".."4" show these big glyphs.
    static constexpr int FirstGlyph = 20;
    static QStringList glyphEntries();

    // Registers skCustom, which runs the program. skin: the pictures as
    // painted now (the window tints them in place).
    CustomButton(Settings &settings, Prompter &prompter, FileDialogs &dialogs, const SkinImages &skin,
                 SkinButton *skCustom, CommandRegistry &commands, QObject *parent = nullptr);

    // skCustomClick. The stored path is the program itself, started with no
    // arguments and no shell: blanks and ";" are part of the file name.
    // True when a program was started.
    bool run();
    // The path without the blanks and control characters at its ends.
    static QString programPath(const QString &stored);

    // The options page's handlers.
    void setPath(const QString &path);        // edCustomPathChange
    // btnOpenCustomClick: the chosen file, or empty when cancelled.
    QString choosePath();
    void setHint(const QString &hint);        // edCustomHintChange
    void chooseGlyph(int entry);              // cbxGlyphsSelect: entry 0..3
    // btnResetCustomClick: asks "Reset custom button?"; true when reset.
    bool reset();
    // The button's glyph as the settings and the glyph style say (again after
    // the colours change).
    void applyGlyph();

    // The picture of a glyph list entry.
    QImage glyphPicture(int entry) const;

    // The file dialog's title and filter.
    static QString dialogTitle();
    static QString dialogFilter();

signals:
    // The stored path or hint changed (the page's edit boxes follow).
    void changed();

private:
    Settings &m_settings;
    Prompter &m_prompter;
    FileDialogs &m_dialogs;
    const SkinImages &m_skin;
    SkinButton *m_button;
};
