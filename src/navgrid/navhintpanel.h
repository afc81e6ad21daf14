#pragma once

#include <QFrame>
#include <QPoint>
#include <QSize>

class QLabel;
class QPlainTextEdit;
class QSplitter;

// The hint beside the map (pnNavHint): a caption with the cell and server
// (laNavServer), the page's picture (imNavHint) or its whole address
// (mmNavURL), and, in resize mode, a grip (imResizeHint) and a note
// (laResizeHint) to size it. Its size lives in the settings, always within
// 175..500 x 100..400.
class NavHintPanel : public QFrame
{
    Q_OBJECT
public:
    explicit NavHintPanel(QWidget *parent = nullptr);

    // Picture mode shows imNavHint, address mode mmNavURL.
    void setAddressMode(bool addressMode);
    bool addressMode() const { return m_addressMode; }
    void setResizeMode(bool resizeMode);
    bool resizeMode() const { return m_resizeMode; }

    void setCaption(const QString &text);
    void setAddress(const QString &address);
    // The page picture; a transparent one (the busy picture) shows centred.
    void setPicture(const QImage &picture, bool opaque);
    void clearPicture();
    // The area the page picture fills (pnHintBack).
    QSize pictureArea() const;

    QLabel *laNavServer, *laResizeHint, *imNavHint, *imResizeHint;
    QPlainTextEdit *mmNavURL;
    QWidget *pnServerBack, *pnHintBack;
    QSplitter *spNavHint;

signals:
    // The grip changed the size (already clamped); stored by the owner.
    void sizeDragged(QSize size);
    // The grip was let go, or the size was reset.
    void sizeSettled(QSize size);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showParts();

    bool m_addressMode = false;
    bool m_resizeMode = false;
    bool m_gripDragging = false;
    QPoint m_gripStart; // global
    QSize m_sizeAtPress;
};
