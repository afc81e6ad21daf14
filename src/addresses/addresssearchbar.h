#pragma once

#include "addresses/addresstreesearch.h"

#include <QObject>

class AddressTreeView;
class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;

// The search bar of one address tree: "Search for:", the edit, "Prior" and
// "Next". Enter searches; Prior and Next step through the hits of the last
// search, or search when there has been none.
class AddressSearchBar : public QObject
{
    Q_OBJECT
public:
    static const QString NoHitsMessage; // "No hits were found."

    // nextNoHits: what Next says when it finds nothing.
    AddressSearchBar(AddressTreeView &view, Prompter &prompter, QLabel *label, QLineEdit *edit, QPushButton *prior,
                     QPushButton *next, QString nextNoHits, QObject *parent = nullptr);

    void setShown(bool shown);
    bool isShown() const { return m_shown; }
    const AddressTreeSearch &state() const { return m_search; }

    void enter();
    void prior();
    void next();

private:
    // A new search of the edit's text; message when it finds nothing.
    void search(const QString &noHits);
    void step(int direction, const QString &noHits);

    AddressTreeView &m_view;
    Prompter &m_prompter;
    QLabel *m_label;
    QLineEdit *m_edit;
    QPushButton *m_prior;
    QPushButton *m_next;
    QString m_nextNoHits;
    AddressTreeSearch m_search;
    bool m_shown = false;
};
