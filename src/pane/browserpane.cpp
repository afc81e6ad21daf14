#include "pane/browserpane.h"

#include "appearance/panelook.h"
#include "appearance/widgets/shadowlabel.h"
#include "appearance/widgets/skinbutton.h"
#include "core/busycursor.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "pane/panehost.h"
#include "pane/webenginebrowsercontrol.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

namespace {

constexpr int EdgeWidth = 1;
constexpr int MarginWidth = 6;
const QSize ButtonStripSize(137, 32);
const QPoint ButtonStripHome(-5, -5);

QWidget *makePanel(QWidget *parent, const char *name, const QColor &colour = {})
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    if (colour.isValid()) {
        panel->setAutoFillBackground(true);
        QPalette p = panel->palette();
        p.setColor(QPalette::Window, colour);
        panel->setPalette(p);
    }
    return panel;
}

void setPanelColour(QWidget *panel, const QColor &colour)
{
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, colour);
    panel->setPalette(p);
    panel->setAutoFillBackground(true);
}

QLabel *makePicture(QWidget *parent, const char *name, const QImage &image, QSize size, const QString &hint)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFixedSize(size);
    label->setPixmap(QPixmap::fromImage(image));
    label->setToolTip(hint);
    return label;
}

} // namespace

BrowserPane::BrowserPane(PaneHost &host, const PaneLook &look, QWidget *parent, const ControlFactory &factory)
    : QWidget(parent), m_host(host), m_look(look)
{
    resize(340, 269);
    buildForm();
    m_control = factory ? factory(m_pnWhiteBack) : new WebEngineBrowserControl(m_pnWhiteBack);
    if (auto *web = qobject_cast<WebEngineBrowserControl *>(m_control))
        web->setPaneHost(&m_host);
    m_control->widget()->setParent(m_pnWhiteBack);
    m_control->widget()->lower();
    m_pnButtons->raise();
    m_laCrashNotice->raise();
    connectControl();
    resizeEvent(nullptr);
}

BrowserPane::~BrowserPane()
{
    freeBrowserControl();
}

void BrowserPane::buildForm()
{
    const QColor grid = m_look.colours().gridBackground;
    m_pnTopBorder = makePanel(this, "pnTopBorder", grid);
    m_pnBottomBorder = makePanel(this, "pnBottomBorder", grid);
    m_pnLeftBorder = makePanel(this, "pnLeftBorder", grid);
    m_pnRightBorder = makePanel(this, "pnRightBorder", grid);
    m_pnWBBack = makePanel(this, "pnWBBack", grid);
    m_pnTopBro = makePanel(m_pnWBBack, "pnTopBro", grid);
    m_pnBottomBro = makePanel(m_pnWBBack, "pnBottomBro", grid);
    m_pnLeftBro = makePanel(m_pnWBBack, "pnLeftBro", grid);
    m_pnRightBro = makePanel(m_pnWBBack, "pnRightBro", grid);
    m_pnBrowserBack = makePanel(m_pnWBBack, "pnBrowserBack");
    m_pnWhiteBack = makePanel(m_pnBrowserBack, "pnWhiteBack", Qt::white);

    m_pnButtons = makePanel(m_pnWhiteBack, "pnButtons", grid);

    m_laCrashNotice = new QLabel(m_pnWhiteBack);
    m_laCrashNotice->setObjectName(QStringLiteral("laCrashNotice"));
    m_laCrashNotice->setWordWrap(true);
    m_laCrashNotice->setTextFormat(Qt::RichText);
    m_laCrashNotice->setMargin(6);
    m_laCrashNotice->setAutoFillBackground(true);
    QPalette notice = m_laCrashNotice->palette();
    notice.setColor(QPalette::Window, QColor(255, 243, 205));
    notice.setColor(QPalette::WindowText, QColor(90, 60, 0));
    m_laCrashNotice->setPalette(notice);
    m_laCrashNotice->hide();
    connect(m_laCrashNotice, &QLabel::linkActivated, this, [this](const QString &link) {
        if (link != PageCrashRecovery::ReloadLink || m_state.closing || !m_control)
            return;
        m_laCrashNotice->hide();
        m_control->reload();
    });

    m_skSelect = new SkinButton(m_pnButtons);
    m_skSelect->setObjectName(QStringLiteral("skSelect"));
    m_skSelect->setToolTip(QStringLiteral("Click to select."));
    connect(m_skSelect, &SkinButton::clicked, this, &BrowserPane::selectClick);

    m_skZoom = new SkinButton(m_pnButtons);
    m_skZoom->setObjectName(QStringLiteral("skZoom"));
    m_skZoom->setToolTip(QStringLiteral("Zoom browser."));
    connect(m_skZoom, &SkinButton::clicked, this, &BrowserPane::zoomClick);

    m_imSecurityOn = makePicture(m_pnButtons, "imSecurityOn", m_look.picture(PanePicture::SecurityOn),
                                 {16, 16}, QStringLiteral("Click to make this the active browser."));
    m_imSecurityOff = makePicture(m_pnButtons, "imSecurityOff", m_look.picture(PanePicture::SecurityOff),
                                  {16, 16}, QStringLiteral("Security status."));
    m_imSecurityOn->hide();

    m_laCellNo = new ShadowLabel(m_pnButtons);
    m_laCellNo->setObjectName(QStringLiteral("laCellNo"));
    m_laCellNo->setToolTip(QStringLiteral("Cell No."));
    QFont cellFont(QStringLiteral("Lucida Sans Unicode"));
    cellFont.setBold(true);
    cellFont.setPixelSize(13);
    m_laCellNo->setFont(cellFont);
    m_laCellNo->setLabelStyle(ShadowLabel::lsShadow);
    m_laCellNo->setShadowOffset(1);
    m_laCellNo->setTransparent(true);

    m_imMoveTabGray = makePicture(m_pnButtons, "imMoveTabGray", m_look.picture(PanePicture::MoveTabGray),
                                  {18, 18}, QStringLiteral("Click and drag to move."));
    m_imMoveTabColor = makePicture(m_pnButtons, "imMoveTabColor", m_look.picture(PanePicture::MoveTabColor),
                                   {18, 18}, QStringLiteral("Click and drag to move."));
    for (QLabel *tab : {m_imMoveTabGray, m_imMoveTabColor}) {
        tab->setCursor(Qt::SizeVerCursor);
        tab->installEventFilter(this);
    }
    m_imMoveTabColor->hide();

    m_imgBusy = makePicture(this, "ImgBusy", m_look.picture(PanePicture::Busy), {32, 32}, {});
    m_imgBusy->hide();

    // A click on the margins, the strip or the secure icon selects the pane.
    for (QWidget *w : {m_pnWBBack, m_pnTopBro, m_pnBottomBro, m_pnLeftBro, m_pnRightBro, m_pnButtons,
                       static_cast<QWidget *>(m_imSecurityOn)})
        w->installEventFilter(this);
}

void BrowserPane::connectControl()
{
    connect(m_control, &BrowserControl::statusTextChange, this, [this](const QString &text) {
        if (!m_state.closing && m_isActive)
            m_host.setBrowserInfo(text);
    });
    connect(m_control, &BrowserControl::commandStateChange, this, [this](int command, bool enabled) {
        if (m_state.closing)
            return;
        if (command == BrowserControl::CommandForward)
            m_state.canGoForward = enabled;
        else if (command == BrowserControl::CommandBack)
            m_state.canGoBack = enabled;
    });
    connect(m_control, &BrowserControl::beforeNavigate2, this, [this](const QString &) {
        if (!m_state.closing)
            m_state.highlightedText.clear();
    });
    connect(m_control, &BrowserControl::navigateComplete2, this, [this](const QString &) {
        if (m_state.closing)
            return;
        const QString address = m_control->locationUrl();
        if (address.isEmpty() || m_historyList.contains(address))
            return;
        m_historyList.insert(std::lower_bound(m_historyList.begin(), m_historyList.end(), address), address);
        m_host.addToHistory(address);
    });
    connect(m_control, &BrowserControl::documentComplete, this, &BrowserPane::documentComplete);
    connect(m_control, &BrowserControl::setSecureLockIcon, this, [this](int level) {
        if (m_state.closing)
            return;
        m_imSecurityOn->setVisible(level != 0);
        m_imSecurityOff->setVisible(level == 0);
    });
    connect(m_control, &BrowserControl::renderProcessGone, this, &BrowserPane::renderProcessGone);
    // A press in the page selects the pane as the select button does; the
    // press itself still goes to the page.
    connect(m_control, &BrowserControl::pagePressed, this, [this] {
        if (!m_isActive && !m_state.closing && m_host.clickActivatesPane())
            selectClick();
    });
    connect(m_control, &BrowserControl::scriptDialogsFinished, this, &BrowserPane::nestedLoopEnded);
    connect(m_control, &BrowserControl::recentlyAudibleChanged, this, [this](bool audible) {
        if (!m_state.closing)
            emit audibleChanged(audible);
    });
    connect(m_control, &BrowserControl::respondingChanged, this, &BrowserPane::respondingChanged);
    connect(m_control, &BrowserControl::downloadProgressChanged, this, [this](int percent) {
        if (percent == m_downloadProgress)
            return;
        m_downloadProgress = percent;
        emit downloadProgressChanged(percent);
    });
    // windowClosing: a page can never close its pane, so nothing happens.
    m_control->setNewWindowHandler([this] { return decideNewWindow(); });
}

NewWindowDecision BrowserPane::decideNewWindow()
{
    using Kind = NewWindowDecision::Kind;
    if (m_state.closing)
        return {Kind::Cancel, nullptr};
    m_host.prompter().closeOpenBox();
    NewWindowDecision decision{Kind::Cancel, nullptr};
    const Qt::KeyboardModifiers keys = m_host.keyboardModifiers();
    const bool shift = keys & Qt::ShiftModifier;
    const bool ctrl = keys & Qt::ControlModifier;
    bool newPane = false;
    if (m_host.scannerRunning()) {
        decision.kind = Kind::Cancel;
    } else if (keys & Qt::AltModifier) {
        decision.kind = Kind::OwnWindow;
    } else {
        switch (m_host.popUpBrowserSetting()) {
        case 0: // Auto external
            newPane = ctrl;
            decision.kind = ctrl ? Kind::Cancel : Kind::OwnWindow;
            break;
        case 1: // Auto internal
            newPane = !ctrl;
            decision.kind = ctrl ? Kind::OwnWindow : Kind::Cancel;
            break;
        case 2: // Manual
            if (shift && !ctrl)
                newPane = true;
            else if (shift && ctrl)
                decision.kind = Kind::OwnWindow;
            break;
        default:
            break;
        }
    }
    if (newPane) {
        const int browser = m_host.openEmptyBrowser();
        BrowserControl *target = browser != NoIndex ? m_host.browserControl(browser) : nullptr;
        decision = target ? NewWindowDecision{Kind::IntoControl, target} : NewWindowDecision{Kind::OwnWindow, nullptr};
    }
    m_host.prompter().closeOpenBox();
    return decision;
}

void BrowserPane::renderProcessGone()
{
    if (m_state.closing || !m_control)
        return;
    if (m_crashRecovery.crashed() == PageCrashRecovery::Step::ReloadNow) {
        m_laCrashNotice->setText(PageCrashRecovery::ReloadingNotice);
        m_control->reload();
    } else {
        m_laCrashNotice->setText(PageCrashRecovery::StoppedNotice);
    }
    placeCrashNotice();
    m_laCrashNotice->show();
    m_laCrashNotice->raise();
}

void BrowserPane::placeCrashNotice()
{
    const int width = m_pnWhiteBack->width();
    const int height = qMin(m_pnWhiteBack->height(), m_laCrashNotice->heightForWidth(width));
    m_laCrashNotice->setGeometry(0, m_pnWhiteBack->height() - height, width, height);
}

void BrowserPane::documentComplete()
{
    if (m_state.closing)
        return;
    // The page is back after its renderer died.
    if (m_laCrashNotice->isVisible() && m_laCrashNotice->text() == PageCrashRecovery::ReloadingNotice)
        m_laCrashNotice->hide();
    if (m_isActive)
        m_host.setActiveIP(QStringLiteral("Unresolved"));
    // "Search on download": the search text is highlighted in every page
    // that arrives, unless the scanner is busy with the grid. The control
    // reports the top-level document only.
    try {
        if (m_host.scannerRunning())
            return;
        const SearchOnDownload search = m_host.searchOnDownload();
        if (!search.text.isEmpty() && search.text != m_state.highlightedText)
            m_operations.highlightSearchText(search.text, search.colour, search.proximate);
    } catch (...) {
        m_host.prompter().showInformation(QStringLiteral("Could not search browser on download,\nit may be busy"));
    }
}

void BrowserPane::zoomClick()
{
    if (m_state.closing)
        return;
    if (!m_operations.zoomBrowser())
        m_host.prompter().showInformation(QStringLiteral("Could not zoom the browser,\nit may be busy"));
    emit zoomClicked();
}

QImage BrowserPane::busyPicture() const
{
    return m_imgBusy->pixmap().toImage();
}

void BrowserPane::initBrowserPane()
{
    m_state = PaneState();
    m_buttonsDragging = false;
    m_isActive = false;
    m_buttonsDragY = 0;
    m_control->setSilent(false);
    placeButtonStrip();
    m_skSelect->move(5, 5);
    m_skZoom->move(27, 5);
}

void BrowserPane::placeButtonStrip()
{
    m_pnButtons->setGeometry(QRect(ButtonStripHome, ButtonStripSize));
    m_imSecurityOn->move(74, 9);
    m_imSecurityOff->move(74, 9);
    m_laCellNo->move(93, 8);
    m_imMoveTabGray->move(114, 9);
    m_imMoveTabColor->move(114, 9);
}

void BrowserPane::setCellCaption(int cell)
{
    m_laCellNo->setText(QString::number(cell));
}

bool BrowserPane::securityOn() const
{
    return !m_imSecurityOn->isHidden();
}

void BrowserPane::applyLook(bool active)
{
    const PaneColours colours = m_look.colours();
    const QColor edge = active ? colours.activeBorder : colours.gridBackground;
    for (QWidget *border : {m_pnTopBorder, m_pnBottomBorder, m_pnLeftBorder, m_pnRightBorder})
        setPanelColour(border, edge);
    m_laCellNo->setFontColor(active ? colours.activeBorder : colours.statusBarFont);
    m_laCellNo->setShadowColor(active ? QColor(Qt::black) : colours.statusBarFontShadow);
    for (bool zoom : {false, true}) {
        const PaneButtonSkin skin = m_look.buttonSkin(active, zoom);
        SkinButton *button = zoom ? m_skZoom : m_skSelect;
        if (skin.idle.isNull())
            continue;
        button->setBitIdle(skin.idle);
        button->setBitOver(skin.over);
        button->setBitDown(skin.down);
        button->setBitGlyph(skin.glyph);
    }
    m_imMoveTabColor->setVisible(active);
    m_imMoveTabGray->setVisible(!active);
}

bool BrowserPane::selectBrowser(bool select)
{
    if (m_state.closing)
        return false;
    BusyCursor busy;
    if (select) {
        if (!m_host.activateBrowser(browserNo)) {
            m_host.prompter().showInformation(QStringLiteral("Could not activate this browser"));
        } else {
            m_isActive = true;
            applyLook(true);
        }
    } else {
        m_isActive = false;
        applyLook(false);
    }
    m_skSelect->setGeometry(4, 5, 44, 22);
    m_skZoom->setGeometry(27, 5, 44, 22);
    m_skSelect->update();
    m_skZoom->update();
    return true;
}

void BrowserPane::selectClick()
{
    if (m_state.closing)
        return;
    if (!selectBrowser(true))
        m_host.prompter().showInformation(QStringLiteral("Could not activate this browser."));
}

bool BrowserPane::navigateTo(const QString &address)
{
    const QString trimmed = address.trimmed();
    const QString target = trimmed.isEmpty() ? QStringLiteral("about:blank") : trimmed;
    if (!m_control->navigate2(target))
        m_control->navigate(target);
    return true;
}

void BrowserPane::closeBrowserPane()
{
    m_state.closing = true;
    if (!m_control)
        return;
    // A dialog the page has open goes first: it holds the page on the stack.
    m_control->closeScriptDialogs();
    m_control->setSilent(true);
    m_control->stop();
    m_control->navigate(QStringLiteral("about:blank"));
}

void BrowserPane::freeBrowserControl()
{
    delete m_control;
    m_control = nullptr;
}

BrowserPane::NestedLoop::NestedLoop(BrowserPane &pane) : m_pane(&pane)
{
    ++pane.m_nestedLoops;
}

BrowserPane::NestedLoop::~NestedLoop()
{
    if (m_pane) {
        --m_pane->m_nestedLoops;
        m_pane->nestedLoopEnded();
    }
}

bool BrowserPane::inNestedLoop() const
{
    return m_nestedLoops > 0 || (m_control && m_control->scriptDialogOpen());
}

bool BrowserPane::release()
{
    m_state.closing = true;
    // A dialog over the page is cancelled; its loop returns when the code
    // above it has.
    if (m_control)
        m_control->closeScriptDialogs();
    if (!inNestedLoop()) {
        delete this;
        return true;
    }
    if (!m_releasePending) {
        m_releasePending = true;
        hide();
    }
    return false;
}

void BrowserPane::nestedLoopEnded()
{
    // Freed from the event loop, once the code that ran the nested loop has
    // returned too.
    if (m_releasePending && !inNestedLoop())
        deleteLater();
}

void BrowserPane::resizeEvent(QResizeEvent *)
{
    const int w = width();
    const int h = height();
    m_pnTopBorder->setGeometry(0, 0, w, EdgeWidth);
    m_pnBottomBorder->setGeometry(0, h - EdgeWidth, w, EdgeWidth);
    m_pnLeftBorder->setGeometry(0, EdgeWidth, EdgeWidth, h - 2 * EdgeWidth);
    m_pnRightBorder->setGeometry(w - EdgeWidth, EdgeWidth, EdgeWidth, h - 2 * EdgeWidth);
    const QRect back(EdgeWidth, EdgeWidth, w - 2 * EdgeWidth, h - 2 * EdgeWidth);
    m_pnWBBack->setGeometry(back);
    const int bw = back.width();
    const int bh = back.height();
    m_pnTopBro->setGeometry(0, 0, bw, MarginWidth);
    m_pnBottomBro->setGeometry(0, bh - MarginWidth, bw, MarginWidth);
    m_pnLeftBro->setGeometry(0, MarginWidth, MarginWidth, bh - 2 * MarginWidth);
    m_pnRightBro->setGeometry(bw - MarginWidth, MarginWidth, MarginWidth, bh - 2 * MarginWidth);
    const QRect inner(MarginWidth, MarginWidth, qMax(0, bw - 2 * MarginWidth), qMax(0, bh - 2 * MarginWidth));
    m_pnBrowserBack->setGeometry(inner);
    m_pnWhiteBack->setGeometry(0, 0, inner.width(), inner.height());
    if (m_control)
        m_control->widget()->setGeometry(0, 0, inner.width(), inner.height());
    placeCrashNotice();
}

bool BrowserPane::eventFilter(QObject *watched, QEvent *event)
{
    const bool moveTab = watched == m_imMoveTabGray || watched == m_imMoveTabColor;
    if (moveTab && !m_state.closing) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_buttonsDragY = int(mouse->position().y());
            m_buttonsDragging = true;
            return true;
        case QEvent::MouseMove:
            if (m_buttonsDragging) {
                int top = m_pnButtons->y() + int(mouse->position().y()) - m_buttonsDragY;
                if (top < ButtonStripHome.y() || top > height() - m_pnButtons->height()) {
                    top = ButtonStripHome.y();
                    m_buttonsDragging = false;
                }
                m_pnButtons->move(m_pnButtons->x(), top);
                m_pnButtons->update();
            }
            return true;
        case QEvent::MouseButtonRelease:
            m_buttonsDragging = false;
            return true;
        default:
            break;
        }
        return false;
    }
    // One press is one selection: taken here, it does not travel on to the
    // panels around (they select too).
    if (event->type() == QEvent::MouseButtonPress && !moveTab) {
        selectClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
