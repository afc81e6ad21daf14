#pragma once

#include <QComboBox>

// The profile box of the "Aesthetics" page: a list of schemes and profiles
// one can also type a new profile's name into. Only a pick from the list
// chooses a scheme or profile; a typed name stays a name, also when the list
// has it (a plain editable QComboBox would choose the matching entry when it
// loses the focus or on Enter, and load it over the user's edits).
class ProfileBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ProfileBox(QWidget *parent = nullptr);

signals:
    // An entry picked from the list (its drop-down, the arrow keys, the wheel).
    void picked(const QString &name);
    // Enter in the box while its list is shut.
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Set while the box reacts to its text; no entry is picked then.
    bool m_fromText = false;
};
