#include "core/qtfiledialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>

QString QtFileDialogs::filterSuffix(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\s*\\*\\.([^\\s;*()]+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString QtFileDialogs::getSaveFileName(const QString &title, const QString &folder, const QString &proposal,
                                       const QStringList &filters, const QString &defaultSuffix,
                                       int *chosenFilter)
{
    QFileDialog dialog(m_parent, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    // A bare name takes the extension of the kind the user picked, so
    // "page" saved as source becomes "page.txt", not "page.html".
    const auto followFilter = [&dialog, &defaultSuffix](const QString &filter) {
        const QString suffix = filterSuffix(filter);
        dialog.setDefaultSuffix(suffix.isEmpty() ? defaultSuffix : suffix);
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    followFilter(filters.value(0));
    if (!proposal.isEmpty())
        dialog.selectFile(proposal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (chosenFilter)
        *chosenFilter = qMax(0, filters.indexOf(dialog.selectedNameFilter()));
    return dialog.selectedFiles().first();
}

QString QtFileDialogs::getOpenFileName(const QString &title, const QString &folder, const QString &filter,
                                       const QString &defaultSuffix)
{
    QFileDialog dialog(m_parent, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtFileDialogs::getExistingDirectory(const QString &title)
{
    return QFileDialog::getExistingDirectory(m_parent, title, QString(), QFileDialog::ShowDirsOnly);
}
