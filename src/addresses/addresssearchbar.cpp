#include "addresses/addresssearchbar.h"

#include "addresses/addresstreeview.h"
#include "core/prompter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const QString AddressSearchBar::NoHitsMessage = QStringLiteral("No hits were found.");

AddressSearchBar::AddressSearchBar(AddressTreeView &view, Prompter &prompter, QLabel *label, QLineEdit *edit,
                                   QPushButton *prior, QPushButton *next, QString nextNoHits, QObject *parent)
    : QObject(parent), m_view(view), m_prompter(prompter), m_label(label), m_edit(edit), m_prior(prior),
      m_next(next), m_nextNoHits(std::move(nextNoHits))
{
    connect(m_edit, &QLineEdit::returnPressed, this, &AddressSearchBar::enter);
    connect(m_prior, &QPushButton::clicked, this, &AddressSearchBar::prior);
    connect(m_next, &QPushButton::clicked, this, &AddressSearchBar::next);
    setShown(false);
}

void AddressSearchBar::setShown(bool shown)
{
    m_shown = shown;
    for (QWidget *w : {static_cast<QWidget *>(m_label), static_cast<QWidget *>(m_edit),
                       static_cast<QWidget *>(m_prior), static_cast<QWidget *>(m_next)})
        w->setVisible(shown);
}

void AddressSearchBar::search(const QString &noHits)
{
    const QString text = m_edit->text();
    if (text.trimmed().isEmpty()) {
        m_search.searchDone = false;
        return;
    }
    if (AddressNode *first = m_search.run(m_view.tree(), text))
        m_view.select(first);
    else
        m_prompter.showInformation(noHits);
}

void AddressSearchBar::step(int direction, const QString &noHits)
{
    if (!m_search.searchDone) {
        search(noHits);
        return;
    }
    // A hit the tree no longer reaches shows nothing.
    if (AddressNode *hit = m_search.step(m_view.tree(), direction))
        m_view.select(hit);
}

void AddressSearchBar::enter()
{
    search(NoHitsMessage);
}

void AddressSearchBar::prior()
{
    step(-1, NoHitsMessage);
}

void AddressSearchBar::next()
{
    step(+1, m_nextNoHits);
}
