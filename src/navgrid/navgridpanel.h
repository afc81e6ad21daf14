#pragma once

#include <QFrame>

class NavGridMap;
class QLabel;
class SkinButton;
class SkinImages;
struct Settings;

// The map's floating panel (pnNavGrid, 183 x 161): its edge pictures, which
// move it when dragged, the map on pnNavBack, and beside the map the six
// snap buttons, the delete symbol and the three hint buttons. It builds and
// places the widgets; the navigation grid gives them their meaning.
class NavGridPanel : public QFrame
{
    Q_OBJECT
public:
    explicit NavGridPanel(QWidget *parent = nullptr);

    // The skin's pictures and the settings' colours and glyph style.
    void applySkin(const SkinImages &skin, const Settings &settings);
    // The edge pictures, by which the panel is dragged.
    QList<QWidget *> edges() const;

    NavGridMap *dgNavGrid;
    QWidget *pnNavBack, *pnNavDelete;
    QLabel *imNavGridTop, *imNavGridBottom, *imNavGridLeft, *imNavGridRight;
    QLabel *imNavDeleteGray, *imNavDeleteColor;
    // In the order of the snap positions 1 to 6.
    SkinButton *snapButtons[6];
    SkinButton *skNavHintAddress, *skNavHintLock, *skNavHintResize;
};
