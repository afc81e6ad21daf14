#include "options/custombutton.h"

#include "appearance/skinimages.h"
#include "appearance/widgets/skinbutton.h"
#include "core/commandregistry.h"
#include "core/filedialogs.h"
#include "core/prompter.h"
#include "core/settings.h"

#include <QAction>
#include <QFileInfo>
#include <QProcess>

QStringList CustomButton::glyphEntries()
{
    return {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
}

CustomButton::CustomButton(Settings &settings, Prompter &prompter, FileDialogs &dialogs, const SkinImages &skin,
                           SkinButton *skCustom, CommandRegistry &commands, QObject *parent)
    : QObject(parent), m_settings(settings), m_prompter(prompter), m_dialogs(dialogs), m_skin(skin),
      m_button(skCustom)
{
    if (QAction *action = m_button->registerCommand(commands))
        connect(action, &QAction::triggered, this, &CustomButton::run);
}

QString CustomButton::programPath(const QString &stored)
{
    qsizetype from = 0;
    qsizetype to = stored.size();
    const auto blank = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
    while (from < to && blank(stored.at(from)))
        ++from;
    while (to > from && blank(stored.at(to - 1)))
        --to;
    return stored.mid(from, to - from);
}

bool CustomButton::run()
{
    const QString program = programPath(m_settings.customButtonPath);
    if (program.isEmpty())
        return false;
    const QFileInfo file(program);
    if (!file.exists()) {
        m_prompter.showInformation(QStringLiteral("Program file missing."));
        return false;
    }
    // The path is the program: no shell, no splitting at blanks.
    bool started = false;
    try {
        started = file.isFile() && file.isExecutable() && QProcess::startDetached(program, {});
    } catch (...) {
        started = false;
    }
    if (!started)
        m_prompter.showInformation(QStringLiteral("Could not start the user defined program."));
    return started;
}

void CustomButton::setPath(const QString &path)
{
    m_settings.customButtonPath = path;
}

QString CustomButton::dialogTitle()
{
    return QStringLiteral("Custom Button: Executable Filename.");
}

QString CustomButton::dialogFilter()
{
    // Programs here carry no extension; whether a file may be run is its
    // permission, checked when the button starts it.
    return QStringLiteral("Executable File (*)");
}

QString CustomButton::choosePath()
{
    const QString chosen = m_dialogs.getOpenFileName(dialogTitle(), QString(), dialogFilter(), QString());
    if (chosen.isEmpty())
        return {};
    m_settings.customButtonPath = chosen;
    emit changed();
    return chosen;
}

void CustomButton::setHint(const QString &hint)
{
    m_settings.customButtonHint = hint.left(MaxHintLength);
    m_button->setToolTip(m_settings.customButtonHint);
}

void CustomButton::chooseGlyph(int entry)
{
    if (entry < 0 || entry >= glyphEntries().size())
        return;
    m_settings.customButtonGlyph = FirstGlyph + entry;
    applyGlyph();
}

QImage CustomButton::glyphPicture(int entry) const
{
    return m_skin.bigGlyph(FirstGlyph + entry, GlyphStyle::Color);
}

void CustomButton::applyGlyph()
{
    const int glyph = m_settings.customButtonGlyph;
    const int style = m_settings.buttonGlyphStyle;
    m_button->setBitGlyph(QImage());
    if (style != 2 && glyph >= 0)
        m_button->setBitGlyph(m_skin.bigGlyph(glyph, style == 0 ? GlyphStyle::Bevel : GlyphStyle::Color));
    m_button->update();
}

bool CustomButton::reset()
{
    if (!m_prompter.askConfirmation(QStringLiteral("Reset custom button?")))
        return false;
    m_settings.customButtonPath.clear();
    m_settings.customButtonHint = QStringLiteral("Undefined");
    m_settings.customButtonGlyph = -1;
    m_button->setToolTip(m_settings.customButtonHint);
    m_button->setBitGlyph(QImage());
    m_button->update();
    emit changed();
    return true;
}
