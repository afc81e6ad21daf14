#include "navgrid/navgridpanel.h"

#include "appearance/skinimages.h"
#include "appearance/widgets/skinbutton.h"
#include "core/settings.h"
#include "navgrid/navgridmap.h"
#include "navgrid/navgridplacement.h"

#include <QLabel>

namespace {

QLabel *edge(QWidget *parent, const char *name, QRect geometry)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setScaledContents(true);
    label->setGeometry(geometry);
    label->setToolTip(QStringLiteral("Drag."));
    return label;
}

SkinButton *button(QWidget *parent, const char *name, const char *hint, QPoint at)
{
    auto *b = new SkinButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(QLatin1String(hint));
    b->move(at);
    return b;
}

void setColour(QWidget *w, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

NavGridPanel::NavGridPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pnNavGrid"));
    setFixedSize(NavGridPlacement::PanelSize);
    const int w = width(), h = height();
    imNavGridTop = edge(this, "imNavGridTop", {0, 0, w, 7});
    imNavGridBottom = edge(this, "imNavGridBottom", {0, h - 7, w, 7});
    imNavGridLeft = edge(this, "imNavGridLeft", {0, 7, 7, h - 14});
    imNavGridRight = edge(this, "imNavGridRight", {w - 7, 7, 7, h - 14});

    pnNavBack = new QWidget(this);
    pnNavBack->setObjectName(QStringLiteral("pnNavBack"));
    pnNavBack->setGeometry(7, 7, w - 14, h - 14);
    dgNavGrid = new NavGridMap(pnNavBack);
    dgNavGrid->move(2, 2);

    // The column beside the map: snap buttons 12 pixels apart (their faces
    // lie across the middle of their frames), the delete symbol, then the
    // hint buttons 15 apart.
    const char *snap[6][2] = {{"skNavTopLeft", "Snap to top left."},
                              {"skNavTopCenter", "Snap to top center."},
                              {"skNavTopRight", "Snap to top right."},
                              {"skNavBottomRight", "Snap to bottom right."},
                              {"skNavBottomCenter", "Snap to bottom center."},
                              {"skNavBottomLeft", "Snap to bottom left."}};
    for (int i = 0; i < 6; ++i)
        snapButtons[i] = button(pnNavBack, snap[i][0], snap[i][1], {143, 12 * i - 4});

    pnNavDelete = new QWidget(pnNavBack);
    pnNavDelete->setObjectName(QStringLiteral("pnNavDelete"));
    pnNavDelete->setGeometry(145, 76, 18, 18);
    pnNavDelete->setToolTip(QStringLiteral("Drag and drop a browser here to delete it."));
    pnNavDelete->setAcceptDrops(true);
    imNavDeleteGray = new QLabel(pnNavDelete);
    imNavDeleteGray->setObjectName(QStringLiteral("imNavDeleteGray"));
    imNavDeleteGray->setGeometry(1, 1, 16, 16);
    imNavDeleteGray->setToolTip(QStringLiteral("Drag and drop the active browser here to delete it."));
    imNavDeleteColor = new QLabel(pnNavDelete);
    imNavDeleteColor->setObjectName(QStringLiteral("imNavDeleteColor"));
    imNavDeleteColor->setGeometry(1, 1, 16, 16);
    imNavDeleteColor->setToolTip(QStringLiteral("Drag and drop a browser here to delete it."));
    imNavDeleteColor->hide();

    skNavHintAddress = button(pnNavBack, "skNavHintAddress", "Show the browser's web address in the hint panel.",
                              {144, 87});
    skNavHintLock = button(pnNavBack, "skNavHintLock", "Enable or disable the ctrl key.", {144, 102});
    skNavHintResize = button(pnNavBack, "skNavHintResize", "Resize the hint panel.", {144, 117});
    for (SkinButton *b : {skNavHintAddress, skNavHintLock, skNavHintResize})
        b->setLatching(true);
}

QList<QWidget *> NavGridPanel::edges() const
{
    return {imNavGridTop, imNavGridBottom, imNavGridLeft, imNavGridRight};
}

void NavGridPanel::applySkin(const SkinImages &skin, const Settings &settings)
{
    const auto framesOf = [&skin](SkinStrip strip) {
        return SkinImages::frames(skin.strip(strip), SkinImages::frameSize(strip));
    };
    const QList<QImage> topBottom = framesOf(SkinStrip::NavGridTopBottom);
    const QList<QImage> leftRight = framesOf(SkinStrip::NavGridLeftRight);
    imNavGridTop->setPixmap(QPixmap::fromImage(topBottom.value(0)));
    imNavGridBottom->setPixmap(QPixmap::fromImage(topBottom.value(1)));
    imNavGridLeft->setPixmap(QPixmap::fromImage(leftRight.value(0)));
    imNavGridRight->setPixmap(QPixmap::fromImage(leftRight.value(1)));

    const auto setFaces = [](SkinButton *b, const QList<QImage> &frames, int first) {
        b->setBitIdle(frames.value(first));
        b->setBitOver(frames.value(first + 1));
        b->setBitDown(frames.value(first + 2));
    };
    const QList<QImage> snapFaces = framesOf(SkinStrip::NavPos);
    for (int i = 0; i < 6; ++i)
        setFaces(snapButtons[i], snapFaces, 3 * i);
    const QList<QImage> hintFaces = framesOf(SkinStrip::NavHint);
    const int style = settings.buttonGlyphStyle;
    const QList<QImage> glyphs
        = SkinImages::frames(skin.glyphStrip(GlyphSet::NavHint, style == 0 ? GlyphStyle::Bevel : GlyphStyle::Color),
                             SkinImages::glyphFrameSize(GlyphSet::NavHint));
    SkinButton *hints[] = {skNavHintAddress, skNavHintLock, skNavHintResize};
    for (int i = 0; i < 3; ++i) {
        setFaces(hints[i], hintFaces, 3 * i);
        hints[i]->setBitGlyph(style == 2 ? QImage() : glyphs.value(i));
    }
    dgNavGrid->setPictures(skin.picture(SkinPicture::NavUnselected), skin.picture(SkinPicture::NavSelected),
                           skin.picture(SkinPicture::NavSearch));
    imNavDeleteGray->setPixmap(QPixmap::fromImage(skin.picture(SkinPicture::NavDeleteGray)));
    imNavDeleteColor->setPixmap(QPixmap::fromImage(skin.picture(SkinPicture::NavDeleteColor)));
    const QColor gridColour = settingsColor(settings.gridBackgroundColor);
    for (QWidget *w : {pnNavBack, pnNavDelete, static_cast<QWidget *>(dgNavGrid)})
        setColour(w, gridColour);
}
