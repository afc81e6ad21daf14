#pragma once

#include <QComboBox>

// A combo box that tells its owner just before its list drops down, so the
// list can be filled fresh and given its width; and that reports
// double-clicks on its text.
class DropDownComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DropDownComboBox(QWidget *parent = nullptr);

    // Width of the dropped-down list; 0 for the box's own width.
    void setPopupWidth(int width) { m_popupWidth = width; }
    int popupWidth() const { return m_popupWidth; }

    void showPopup() override;

    // The box's edge: 0 "Flat", 1 "Inherited" (the style's own), 2 "Soft".
    void setBevel(int bevel);
    int bevel() const { return m_bevel; }

signals:
    void aboutToShowPopup();
    void doubleClicked(Qt::KeyboardModifiers modifiers);
    // Enter in the text field (taken here, once per key press).
    void enterPressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // With the box focused, QComboBox hands keys straight to its text field,
    // past that field's event filters: Enter is caught here too.
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_popupWidth = 0;
    int m_bevel = 1;
};
