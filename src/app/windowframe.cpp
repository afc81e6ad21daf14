#include "app/windowframe.h"

#include "appearance/skinimages.h"
#include "appearance/widgets/bmpscrollbox.h"
#include "appearance/widgets/dropdowncombobox.h"
#include "appearance/widgets/shadowlabel.h"
#include "appearance/widgets/skinbutton.h"
#include "core/busycursor.h"
#include "core/commandregistry.h"
#include "core/overlaypanels.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "core/windowgeometry.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

namespace {

struct ToolBarButton
{
    const char *name;
    const char *hint;
    int glyph;     // SkinImages::BigGlyph, -1 for none
    int row;       // 0 top, 1 bottom
    bool rightSide; // anchored to the right end of its row
    int slot;      // position within its group, from the left
};

// The two rows of the tool bar. Row 0: address bar between skAddressMode and
// skAddressNew; row 1: select list before skActiveFileTools.
const ToolBarButton Buttons[] = {
    {"skNavGrid", "Show the nav grid.", SkinImages::GlyphNavGrid, 0, false, 0},
    {"skManager", "Show the web address manager.", SkinImages::GlyphManager, 0, false, 1},
    {"skAddressMode", "Web Address Bar Modes: web address, links or search.", SkinImages::GlyphWebAddressMode, 0, false, 2},
    {"skAddressNew", "Open the web address in a new browser.", SkinImages::GlyphNewBrowser, 0, true, 0},
    {"skActiveRedir", "Redirect the active browser.", SkinImages::GlyphRedirect, 0, true, 1},
    {"skAddressPrior", "Select the prior browser.", SkinImages::GlyphPriorBrowser, 0, true, 2},
    {"skAddressNext", "Select the next browser.", SkinImages::GlyphNextBrowser, 0, true, 3},
    {"skAppTools", "Application tools: Options, Home Page...", SkinImages::GlyphAppTools, 0, true, 4},
    {"skGridTools", "Show the grid tools panel.", SkinImages::GlyphGridTools, 1, false, 0},
    {"skScanner", "Start or stop the grid scanner.", SkinImages::GlyphScanner, 1, false, 1},
    {"skCustom", "Undefined", -1, 1, false, 2},
    {"skActiveBack", "Browse back with the active browser.", SkinImages::GlyphBack, 1, false, 3},
    {"skActiveForward", "Browse forward with the active browser.", SkinImages::GlyphForward, 1, false, 4},
    {"skActiveStop", "Stop downloading the active browser.", SkinImages::GlyphStop, 1, false, 5},
    {"skActiveFileTools", "File tools for the active browser: Open, Save...", SkinImages::GlyphFileTools, 1, true, 0},
    {"skActiveRefresh", "Refresh the active browser.", SkinImages::GlyphRefresh, 1, true, 1},
    {"skActivePrint", "Print the active browser.", SkinImages::GlyphPrint, 1, true, 2},
    {"skActiveDelete", "Delete the active browser.", SkinImages::GlyphDelete, 1, true, 3},
    {"skActiveJump", "Jump to IE using the active browser's web address.", SkinImages::GlyphJump, 1, true, 4},
};

constexpr int LeftStart = 23;   // first left-hand button of a row
constexpr int RightMargin = 2;

QWidget *panel(QWidget *parent, const char *name)
{
    auto *w = new QWidget(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QLabel *picture(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setScaledContents(true);
    return label;
}

ShadowLabel *cornerLabel(QWidget *parent, const char *name, const QString &hint)
{
    auto *label = new ShadowLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setToolTip(hint);
    label->setLabelStyle(ShadowLabel::lsShadow);
    label->setShadowOffset(1);
    label->setTransparent(true);
    return label;
}

SkinButton *skinButton(QWidget *parent, const char *name, const QString &hint)
{
    auto *b = new SkinButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    return b;
}

// The key colour (bottom-left pixel) becomes see-through.
QPixmap keyed(const QImage &image)
{
    if (image.isNull())
        return {};
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = argb.pixel(0, argb.height() - 1);
    for (int y = 0; y < argb.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (line[x] == key)
                line[x] = 0;
    }
    return QPixmap::fromImage(argb);
}

void setColour(QWidget *w, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

WindowFrame::WindowFrame(QWidget *mn, Settings &settings, RuntimeFlags &flags, OverlayPanels &overlays,
                         CommandRegistry &commands, QRect workArea)
    : QObject(mn), window(mn), m_settings(settings), m_flags(flags), m_overlays(overlays), m_workArea(workArea)
{
    pnMaster = panel(window, "pnMaster");
    buildStrips();
    buildGrid();
    buildControls();
    connect(skAppClose->registerCommand(commands), &QAction::triggered, window, &QWidget::close);
    connect(skMaximize->registerCommand(commands), &QAction::triggered, this, &WindowFrame::maximizeOrRestore);
    connect(skMinimize->registerCommand(commands), &QAction::triggered, window, &QWidget::showMinimized);
}

bool WindowFrame::resetLayout()
{
    try {
        window->resize(915, 600);
        layout();
        return true;
    } catch (...) {
        return false;
    }
}

void WindowFrame::startWatching()
{
    qApp->installEventFilter(this);
}

void WindowFrame::windowResized()
{
    m_overlays.hideAll();
    layout();
    watchWindowSize();
}

void WindowFrame::maximizeOrRestore()
{
    BusyCursor busy;
    BackgroundSuspension suspended(m_flags);
    m_overlays.hideAll();
    emit aboutToMaximizeOrRestore();
    QRect target = m_workArea;
    if (m_settings.windowSize == 0) {
        if (QScreen *screen = QGuiApplication::primaryScreen())
            target = screen->virtualGeometry();
    }
    const QRect bounds = WindowGeometry::maximizeOrRestore(window->geometry(), target, m_workArea);
    if (bounds == target) {
        window->setGeometry(bounds);
    } else {
        resetLayout();
        window->move(bounds.topLeft());
    }
    window->repaint();
    QCoreApplication::processEvents();
    emit maximizedOrRestored();
}

void WindowFrame::watchWindowSize()
{
    if (window->width() == m_flags.lastWidth && window->height() == m_flags.lastHeight)
        return;
    // Until the frame is laid out for the new size the grid area is stale;
    // windowResized comes back here once it is.
    if (pnMaster->size() != window->size())
        return;
    m_flags.lastWidth = window->width();
    m_flags.lastHeight = window->height();
    emit windowSizeChanged();
}

bool WindowFrame::handlePointer(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    QWindow *handle = window->windowHandle();
    if (!widget || widget->window() != window || !handle)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint local = window->mapFromGlobal(mouse->globalPosition().toPoint());
    const Qt::Edges edges = WindowGeometry::edgesAt(local, window->size(), 5);
    if (event->type() == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
        // The cursor shows where the window can be resized.
        Qt::CursorShape shape = Qt::ArrowCursor;
        if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
            shape = Qt::SizeFDiagCursor;
        else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
            shape = Qt::SizeBDiagCursor;
        else if (edges & (Qt::LeftEdge | Qt::RightEdge))
            shape = Qt::SizeHorCursor;
        else if (edges & (Qt::TopEdge | Qt::BottomEdge))
            shape = Qt::SizeVerCursor;
        // Only on a change, so the widgets' own cursors stay in charge
        // everywhere else.
        if (edges != m_hoverEdges) {
            m_hoverEdges = edges;
            handle->setCursor(edges ? QCursor(shape) : widget->cursor());
        }
        return false;
    }
    if (event->type() != QEvent::MouseButtonPress || window->isMaximized())
        return false;
    if (edges && mouse->button() == Qt::LeftButton)
        return handle->startSystemResize(edges);
    if (m_dragControls.contains(widget)) {
        handle->startSystemMove();
        return true;
    }
    return false;
}

bool WindowFrame::eventFilter(QObject *watched, QEvent *event)
{
    // The application's message hook: every event of the program passes here.
    watchWindowSize();
    // The grid panel's "Drag." is for its own strips: a hint asked for over a
    // pane that has none of its own stops at the grid.
    if (event->type() == QEvent::ToolTip && watched == pnMainGrid) {
        QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove)
        return handlePointer(watched, event);
    return false;
}

void WindowFrame::buildStrips()
{
    pnTop = panel(pnMaster, "pnTop");
    imTopCenterStatus = picture(pnTop, "imTopCenterStatus");
    imTopCenterLip = picture(pnTop, "imTopCenterLip");
    imTopLeft = picture(pnTop, "imTopLeft");
    imTopRight = picture(pnTop, "imTopRight");
    laHints = cornerLabel(pnTop, "laHints", QStringLiteral("Drag."));
    laAudio = cornerLabel(pnTop, "laAudio", QStringLiteral("Click for the next song."));
    laQueue = cornerLabel(pnTop, "laQueue", QStringLiteral("Pending queue count."));
    skMinimize = skinButton(pnTop, "skMinimize", QStringLiteral("Minimize."));
    skMaximize = skinButton(pnTop, "skMaximize", QStringLiteral("Maximize or restore."));
    skAppClose = skinButton(pnTop, "skAppClose", QStringLiteral("Close."));

    pnBottom = panel(pnMaster, "pnBottom");
    imBottomCenterStatus = picture(pnBottom, "imBottomCenterStatus");
    imBottomCenterLip = picture(pnBottom, "imBottomCenterLip");
    imBottomLeft = picture(pnBottom, "imBottomLeft");
    imBottomRight = picture(pnBottom, "imBottomRight");
    laLocalIP = cornerLabel(pnBottom, "laLocalIP", QStringLiteral("Local ip, click to resolve."));
    laLocalIP->setText(QStringLiteral("Unresolved"));
    laActiveIP = cornerLabel(pnBottom, "laActiveIP", QStringLiteral("Active browser ip, click to resolve."));
    laActiveIP->setAutoSize(false);
    laActiveIP->setAlignment(Qt::AlignRight);
    laBrowserInfo = cornerLabel(pnBottom, "laBrowserInfo", QStringLiteral("Drag."));
    laBrowserInfo->setAutoSize(false);
    imResize = new QLabel(pnBottom);
    imResize->setObjectName(QStringLiteral("imResize"));
    imResize->setFixedSize(20, 20);

    for (QLabel *image : {imTopCenterStatus, imTopCenterLip, imTopLeft, imTopRight, imBottomCenterStatus,
                          imBottomCenterLip, imBottomLeft, imBottomRight})
        image->setToolTip(QStringLiteral("Drag."));
    m_dragControls = {imTopCenterStatus, imTopCenterLip, imTopLeft, imTopRight, imBottomCenterStatus,
                      imBottomCenterLip, imBottomLeft, imBottomRight, laHints, laBrowserInfo};
}

void WindowFrame::buildGrid()
{
    pnCenter = panel(pnMaster, "pnCenter");
    pnGrid = panel(pnCenter, "pnGrid");
    pnGridTop = panel(pnGrid, "pnGridTop");
    pnGridBottom = panel(pnGrid, "pnGridBottom");
    pnGridLeft = panel(pnGrid, "pnGridLeft");
    pnGridRight = panel(pnGrid, "pnGridRight");
    pnMainGrid = panel(pnGrid, "pnMainGrid");
    sbMainGrid = new BmpScrollBox(pnMainGrid);
    sbMainGrid->setObjectName(QStringLiteral("sbMainGrid"));
    sbMainGrid->setFrameShape(QFrame::NoFrame);

    imGridTopLeft = picture(pnGridTop, "imGridTopLeft");
    imGripTopCenter = picture(pnGridTop, "imGripTopCenter");
    imGridTopRight = picture(pnGridTop, "imGridTopRight");
    imGridBottomLeft = picture(pnGridBottom, "imGridBottomLeft");
    imGridBottomCenter = picture(pnGridBottom, "imGridBottomCenter");
    imGridBottomRight = picture(pnGridBottom, "imGridBottomRight");
    imGridLeft = picture(pnGridLeft, "imGridLeft");
    imGridRight = picture(pnGridRight, "imGridRight");
    for (QWidget *w : {pnGrid, pnGridLeft, pnGridRight, static_cast<QWidget *>(imGripTopCenter)})
        w->setToolTip(QStringLiteral("Drag."));
    m_dragControls << pnGrid << pnGridLeft << pnGridRight << imGridLeft << imGridRight << imGripTopCenter;
}

void WindowFrame::buildControls()
{
    pnControls = panel(pnCenter, "pnControls");
    pnButtons = panel(pnControls, "pnButtons");
    for (const ToolBarButton &entry : Buttons)
        m_buttons.insert(QLatin1String(entry.name), skinButton(pnButtons, entry.name, QLatin1String(entry.hint)));

    cbWebAddressBar = new DropDownComboBox(pnButtons);
    cbWebAddressBar->setObjectName(QStringLiteral("cbWebAddressBar"));
    cbWebAddressBar->setToolTip(QStringLiteral("Web Address Bar"));
    cbWebAddressBar->setEditable(true);
    cbWebAddressBar->setInsertPolicy(QComboBox::NoInsert);
    cbWebAddressBar->setMaxVisibleItems(16);
    cbWebAddressBar->lineEdit()->installEventFilter(cbWebAddressBar);

    cbSelectBrowserList = new DropDownComboBox(pnButtons);
    cbSelectBrowserList->setObjectName(QStringLiteral("cbSelectBrowserList"));
    cbSelectBrowserList->setToolTip(QStringLiteral("Active browser, change to select a new active browser."));
    cbSelectBrowserList->setMaxVisibleItems(32);
}

QStringList WindowFrame::buttonNames() const
{
    QStringList names;
    for (const ToolBarButton &entry : Buttons)
        names << QLatin1String(entry.name);
    return names;
}

void WindowFrame::placeButtonRows(int width)
{
    int rightCount[2] = {0, 0};
    for (const ToolBarButton &entry : Buttons)
        if (entry.rightSide)
            rightCount[entry.row] += 1;
    for (const ToolBarButton &entry : Buttons) {
        SkinButton *b = m_buttons.value(QLatin1String(entry.name));
        const int top = entry.row * 32;
        int left;
        if (entry.rightSide) {
            const int lastLeft = width - RightMargin - 87;
            left = lastLeft - (rightCount[entry.row] - 1 - entry.slot) * ButtonPitch;
        } else {
            left = LeftStart + entry.slot * ButtonPitch;
        }
        b->setGeometry(left, top, 87, 32);
    }
    // The address bar and the list stretch between their buttons.
    const int redirLeft = button(QStringLiteral("skActiveRedir"))->x();
    const int fileToolsLeft = button(QStringLiteral("skActiveFileTools"))->x();
    cbWebAddressBar->setGeometry(226, 4, qMax(40, redirLeft - 289), 24);
    cbSelectBrowserList->setGeometry(394, 34, qMax(40, fileToolsLeft - 401), 24);
}

void WindowFrame::layout()
{
    const int w = window->width();
    const int h = window->height();

    pnTop->setGeometry(0, 0, w, StripHeight);
    pnBottom->setGeometry(0, h - StripHeight, w, StripHeight);
    pnCenter->setGeometry(0, StripHeight, w, qMax(0, h - 2 * StripHeight));

    // Strip pictures: the centre ones across the width, corners at the ends.
    for (QLabel *centre : {imTopCenterStatus, imTopCenterLip, imBottomCenterStatus, imBottomCenterLip})
        centre->setGeometry(0, 0, w, 33);
    imTopLeft->setGeometry(0, 0, 207, 33);
    imTopRight->setGeometry(w - 207, 0, 207, 33);
    imBottomLeft->setGeometry(0, 0, 207, 33);
    imBottomRight->setGeometry(w - 207, 0, 207, 33);
    laAudio->setGeometry(9, 7, 166, 18);
    laQueue->setGeometry(w - 174 - 70, 7, 70, 18);
    laHints->move(204, 10);
    laHints->setAutoSize(false);
    laHints->resize(qMax(0, w - 204 - 250), 18);
    skAppClose->setGeometry(w - 6 - 44, 4, 44, 22);
    skMaximize->setGeometry(skAppClose->x() - 24, 4, 44, 22);
    skMinimize->setGeometry(skMaximize->x() - 24, 4, 44, 22);
    skMinimize->raise();
    skMaximize->raise();
    skAppClose->raise();
    laLocalIP->move(12, 7);
    laActiveIP->setGeometry(w - 8 - 157, 7, 157, 18);
    laBrowserInfo->setGeometry(204, 10, qMax(0, w - 204 - 8 - 157 - 8), 18);
    imResize->move(w - 20, StripHeight - 20);

    const int centreHeight = pnCenter->height();
    const int gridHeight = qMax(0, centreHeight - ControlsHeight);
    if (pnControls->property("onTop").toBool()) {
        pnControls->setGeometry(0, 0, w, ControlsHeight);
        pnGrid->setGeometry(0, ControlsHeight, w, gridHeight);
    } else {
        pnGrid->setGeometry(0, 0, w, gridHeight);
        pnControls->setGeometry(0, gridHeight, w, ControlsHeight);
    }
    pnButtons->setGeometry(0, 0, w, ControlsHeight);
    placeButtonRows(w);

    const int gw = pnGrid->width();
    const int gh = pnGrid->height();
    pnGridTop->setGeometry(0, 0, gw, GridEdge);
    pnGridBottom->setGeometry(0, gh - GridEdge, gw, GridEdge);
    pnGridLeft->setGeometry(0, GridEdge, GridEdge, qMax(0, gh - 2 * GridEdge));
    pnGridRight->setGeometry(gw - GridEdge, GridEdge, GridEdge, qMax(0, gh - 2 * GridEdge));
    pnMainGrid->setGeometry(GridEdge, GridEdge, qMax(0, gw - 2 * GridEdge), qMax(0, gh - 2 * GridEdge));
    sbMainGrid->setGeometry(0, 0, pnMainGrid->width(), pnMainGrid->height());

    // The 9-pixel edge pictures are drawn unscaled into the 7-pixel strips:
    // their inner edge lies on the grid side.
    imGridTopLeft->setGeometry(0, -2, 150, 9);
    imGripTopCenter->setGeometry(gw / 2 - 75, -2, 150, 9);
    imGridTopRight->setGeometry(gw - 150, -2, 150, 9);
    imGridBottomLeft->setGeometry(0, 0, 150, 9);
    imGridBottomCenter->setGeometry(150, 0, qMax(0, gw - 300), 9);
    imGridBottomRight->setGeometry(gw - 150, 0, 150, 9);
    imGridLeft->setGeometry(-2, 0, 9, pnGridLeft->height());
    imGridRight->setGeometry(0, 0, 9, pnGridRight->height());
    // Last: a pnMaster of the window's size tells that the whole frame is
    // laid out for it (the resize watch relies on that).
    pnMaster->setGeometry(0, 0, w, h);
}

void WindowFrame::applySkin(const SkinImages &skin, const Settings &settings)
{
    using S = SkinStrip;
    const auto framesOf = [&skin](S strip) { return SkinImages::frames(skin.strip(strip), SkinImages::frameSize(strip)); };

    const QList<QImage> main = framesOf(S::SkinMain);
    const QList<QImage> status = framesOf(S::SkinStatus);
    imBottomCenterLip->setPixmap(keyed(main.value(0)));
    imTopCenterLip->setPixmap(keyed(main.value(1)));
    imTopLeft->setPixmap(keyed(main.value(2)));
    imTopRight->setPixmap(keyed(main.value(3)));
    imBottomLeft->setPixmap(keyed(main.value(4)));
    imBottomRight->setPixmap(keyed(main.value(5)));
    imTopCenterStatus->setPixmap(keyed(status.value(0)));
    imBottomCenterStatus->setPixmap(keyed(status.value(1)));

    const QList<QImage> gridEdges = framesOf(S::GridTopBottom);
    const QList<QImage> gridSides = framesOf(S::GridLeftRight);
    QLabel *edgeTargets[] = {imGridTopLeft, imGripTopCenter, imGridTopRight,
                             imGridBottomLeft, imGridBottomCenter, imGridBottomRight};
    for (int i = 0; i < 6; ++i)
        edgeTargets[i]->setPixmap(keyed(gridEdges.value(i)));
    imGridLeft->setPixmap(keyed(gridSides.value(0)));
    imGridRight->setPixmap(keyed(gridSides.value(1)));
    imResize->setPixmap(QPixmap::fromImage(skin.picture(SkinPicture::Resize)));

    const auto setFaces = [](SkinButton *b, const QList<QImage> &frames, int first) {
        b->setBitIdle(frames.value(first));
        b->setBitOver(frames.value(first + 1));
        b->setBitDown(frames.value(first + 2));
    };
    const QList<QImage> windowFaces = framesOf(S::Window);
    setFaces(skMinimize, windowFaces, 0);
    setFaces(skMaximize, windowFaces, 0);
    setFaces(skAppClose, windowFaces, 3);

    const QList<QImage> mainFaces = framesOf(S::Main);
    const QList<QImage> oddFaces = framesOf(S::MainOdd);
    for (const ToolBarButton &entry : Buttons) {
        const QString name = QLatin1String(entry.name);
        SkinButton *b = m_buttons.value(name);
        static const QStringList odd{"skAddressMode", "skAddressNew", "skActiveStop", "skActiveFileTools"};
        static const QStringList gridToolsLook{"skGridTools", "skScanner", "skActiveBack", "skActiveForward",
                                               "skActiveRefresh", "skActiveRedir", "skAddressNext", "skAddressPrior"};
        if (odd.contains(name))
            setFaces(b, oddFaces, 3 * int(odd.indexOf(name)));
        else if (gridToolsLook.contains(name))
            setFaces(b, mainFaces, 3);
        else
            setFaces(b, mainFaces, 0);
    }

    // Glyphs by the glyph style: 0 bevelled, 1 coloured, 2 none.
    const int style = settings.buttonGlyphStyle;
    const GlyphStyle glyphStyle = style == 0 ? GlyphStyle::Bevel : GlyphStyle::Color;
    const QList<QImage> windowGlyphs = SkinImages::frames(skin.glyphStrip(GlyphSet::Window, glyphStyle),
                                                          SkinImages::glyphFrameSize(GlyphSet::Window));
    SkinButton *windowButtons[] = {skMinimize, skMaximize, skAppClose};
    for (int i = 0; i < 3; ++i)
        windowButtons[i]->setBitGlyph(style == 2 ? QImage() : windowGlyphs.value(i));
    for (const ToolBarButton &entry : Buttons) {
        int glyph = entry.glyph;
        if (QLatin1String(entry.name) == QLatin1String("skCustom"))
            glyph = settings.customButtonGlyph;
        m_buttons.value(QLatin1String(entry.name))
            ->setBitGlyph(style == 2 || glyph < 0 ? QImage() : skin.bigGlyph(glyph, glyphStyle));
    }
    m_buttons.value(QStringLiteral("skCustom"))->setToolTip(settings.customButtonHint);

    // Plain colours.
    const QColor mainColour = settingsColor(settings.mainColor);
    const QColor gridColour = settingsColor(settings.gridBackgroundColor);
    const QColor statusColour = settingsColor(settings.statusBarColor);
    setColour(window, mainColour);
    for (QWidget *w : {pnGridLeft, pnGridRight, pnButtons, pnControls})
        setColour(w, mainColour);
    for (QWidget *w : {pnGrid, pnMainGrid, static_cast<QWidget *>(sbMainGrid), sbMainGrid->viewport()})
        setColour(w, gridColour);
    for (QWidget *w : {pnTop, pnBottom, pnGridTop, pnGridBottom})
        setColour(w, statusColour);
    for (ShadowLabel *corner : {laAudio, laQueue, laLocalIP, laActiveIP}) {
        corner->setFontColor(settingsColor(settings.cornerFontColor));
        corner->setShadowColor(settingsColor(settings.cornerFontShadowColor));
    }
    for (ShadowLabel *status : {laHints, laBrowserInfo}) {
        status->setFontColor(settingsColor(settings.statusBarFontColor));
        status->setShadowColor(settingsColor(settings.statusBarFontShadowColor));
    }
    applyAddressBoxColours(settings);
}

void WindowFrame::applyAddressBoxColours(const Settings &settings)
{
    for (DropDownComboBox *bar : {cbWebAddressBar, cbSelectBrowserList}) {
        QPalette p = bar->palette();
        p.setColor(QPalette::Base, settingsColor(settings.addressBarColor));
        p.setColor(QPalette::Text, settingsColor(settings.addressBarFontColor));
        p.setColor(QPalette::ButtonText, settingsColor(settings.addressBarFontColor));
        bar->setPalette(p);
        if (bar->lineEdit())
            bar->lineEdit()->setPalette(p);
    }
}
