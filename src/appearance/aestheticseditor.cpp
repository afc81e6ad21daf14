#include "appearance/aestheticseditor.h"

#include "appearance/colormath.h"
#include "appearance/colourschemes.h"
#include "core/prompter.h"
#include "core/settings.h"

namespace {

const QString SystemDefault = QStringLiteral("System Default");

} // namespace

AestheticsEditor::AestheticsEditor(Settings &settings, Prompter &prompter, const QString &dataFolder,
                                   Actions actions, QObject *parent)
    : QObject(parent), m_settings(settings), m_prompter(prompter), m_profiles(dataFolder),
      m_actions(std::move(actions))
{
}

QString AestheticsEditor::trimmedName(const QString &text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && text.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

QColor AestheticsEditor::shownColour() const
{
    if (m_colourObject < 0)
        return {};
    const int value = ColourSchemes::valuesOf(m_settings)[size_t(3 + m_colourObject)];
    if (value == ColorMath::NoGlyphColour)
        return {};
    return ColorMath::fromRef(value);
}

bool AestheticsEditor::refill()
{
    m_list = m_profiles.listNames();
    return true;
}

bool AestheticsEditor::populateProfileList()
{
    const bool ok = refill();
    m_modified = false;
    m_colourObject = -1;
    m_text.clear();
    emit changed();
    return ok;
}

void AestheticsEditor::selectColourObject(int index)
{
    m_colourObject = index >= 0 && index < ColourSchemes::colourObjects().size() ? index : -1;
    emit changed();
}

void AestheticsEditor::selectColour(const QColor &colour)
{
    m_text = AestheticProfiles::SaveMe;
    m_modified = true;
    if (m_colourObject >= 0 && colour.isValid()) {
        AppearanceValues values = ColourSchemes::valuesOf(m_settings);
        values[size_t(3 + m_colourObject)] = ColorMath::colourRef(colour.toRgb());
        ColourSchemes::setValues(m_settings, values);
    }
    emit changed();
    if (m_actions.applyColours && !m_actions.applyColours())
        m_prompter.showInformation(QStringLiteral("Could not set color profile."));
}

void AestheticsEditor::markModified()
{
    m_text = AestheticProfiles::SaveMe;
    m_modified = true;
    emit changed();
}

void AestheticsEditor::setProfileText(const QString &text)
{
    m_text = text;
}

void AestheticsEditor::clearModified()
{
    m_modified = false;
}

void AestheticsEditor::applySystemDefault()
{
    ColourSchemes::apply(SystemDefault, m_settings, m_actions.palette ? m_actions.palette() : QPalette());
}

void AestheticsEditor::selectProfile(const QString &text)
{
    emit featuresDeselected();
    const QString name = trimmedName(text);
    if (m_modified) {
        if (!m_prompter.askConfirmation(QStringLiteral("Disgard profile changes?"))) {
            emit changed();
            return;
        }
        clearModified();
    }
    m_text = name;
    if (ColourSchemes::isScheme(name)) {
        m_colourObject = -1;
        ColourSchemes::apply(name, m_settings, m_actions.palette ? m_actions.palette() : QPalette());
    } else if (name != AestheticProfiles::SaveMe) {
        m_colourObject = -1;
        AppearanceValues values = ColourSchemes::valuesOf(m_settings);
        if (m_profiles.load(name, &values) == AestheticProfiles::LoadResult::Damaged) {
            m_text.clear();
            emit changed();
            m_prompter.showPlain(QStringLiteral("Could not open the profile file."));
        } else {
            ColourSchemes::setValues(m_settings, values);
        }
    }
    emit changed();
    if (m_actions.applyAppearance && !m_actions.applyAppearance())
        m_prompter.showInformation(QStringLiteral("Could not reset program options."));
}

void AestheticsEditor::enterPressed()
{
    if (m_modified)
        saveProfile();
}

void AestheticsEditor::saveProfile()
{
    const QString name = trimmedName(m_text);
    QString why;
    if (!m_modified || !AestheticProfiles::isSavableName(name, &why)) {
        m_prompter.showInformation(why.isEmpty() ? QStringLiteral("Check profile name, it may exists.") : why);
        return;
    }
    if (const SafeSave::Outcome saved = m_profiles.save(name, ColourSchemes::valuesOf(m_settings)); !saved) {
        m_prompter.showInformation(
            SafeSave::failureMessage(QStringLiteral("the profile file"), m_profiles.filePath(name), saved));
        return;
    }
    if (!populateProfileList())
        m_prompter.showInformation(QStringLiteral("Could not populate the profile list."));
    // The saved profile is the one chosen now.
    m_text = name;
    emit changed();
}

void AestheticsEditor::deleteProfile()
{
    const QString name = trimmedName(m_text);
    if (name.isEmpty() || name == AestheticProfiles::SaveMe)
        return;
    if (!m_prompter.askConfirmation(QStringLiteral("Delete selected profile?")))
        return;
    if (!m_profiles.remove(name)) {
        m_colourObject = -1;
        m_text.clear();
        applySystemDefault();
        clearModified();
        emit changed();
        m_prompter.showInformation(QStringLiteral("Could not delete the selected profile."));
        if (m_actions.applyAppearance)
            m_actions.applyAppearance();
        return;
    }
    applySystemDefault();
    if (!populateProfileList())
        m_prompter.showInformation(QStringLiteral("Could not populate the profile list."));
    if (m_actions.applyAppearance && !m_actions.applyAppearance())
        m_prompter.showInformation(QStringLiteral("Could not reset program options."));
}
