#include "addresses/managerpanel.h"

#include "addresses/addressicons.h"
#include "addresses/addressqueue.h"
#include "appearance/widgets/listboxstripes.h"
#include "appearance/widgets/treeviewscroll.h"

#include <QBoxLayout>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>

namespace {

constexpr int TitleHeight = 24;
constexpr int Margin = 2;

template<typename W>
W *named(W *widget, const char *name, const QString &hint = {})
{
    widget->setObjectName(QLatin1String(name));
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, const QString &hint = {})
{
    auto *b = named(new QPushButton(text, parent), name, hint);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QToolButton *speedButton(QWidget *parent, const char *name, const QString &text, const QString &hint)
{
    auto *b = named(new QToolButton(parent), name, hint);
    b->setText(text);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// A title bar: the master button, then the search bar ("Search for:", the
// edit, "Prior", "Next"). The edit starts 12 pixels after its label and
// ends 2 pixels before "Prior", however wide the bar is.
QWidget *titleBar(QWidget *parent, const char *name, QToolButton *master, QLabel *label, QLineEdit *edit,
                  QPushButton *prior, QPushButton *next)
{
    auto *bar = named(new QWidget(parent), name);
    bar->setFixedHeight(TitleHeight + 2);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(0);
    master->setParent(bar);
    label->setParent(bar);
    edit->setParent(bar);
    prior->setParent(bar);
    next->setParent(bar);
    row->addWidget(master);
    row->addSpacing(8);
    row->addWidget(label);
    row->addSpacing(12);
    row->addWidget(edit, 1);
    row->addSpacing(2);
    row->addWidget(prior);
    row->addWidget(next);
    row->addStretch(0);
    for (QWidget *w : {static_cast<QWidget *>(label), static_cast<QWidget *>(edit), static_cast<QWidget *>(prior),
                       static_cast<QWidget *>(next)})
        w->hide();
    return bar;
}

QPixmap controllerPicture()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(170, 170, 190));
    p.drawRoundedRect(QRectF(1.5, 4.5, 13, 8), 3, 3);
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(QRectF(10, 6.5, 2.5, 2.5));
    p.drawLine(QPointF(4, 8.5), QPointF(7, 8.5));
    p.drawLine(QPointF(5.5, 7), QPointF(5.5, 10));
    return picture;
}

} // namespace

ManagerPanel::ManagerPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("pnManager"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    resize(720, 400);

    pnManagerTitle = named(new QWidget(this), "pnManagerTitle");
    pnManagerTitle->setAutoFillBackground(true);
    pnManagerTitle->setBackgroundRole(QPalette::Mid);
    auto *titleRow = new QHBoxLayout(pnManagerTitle);
    titleRow->setContentsMargins(6, 1, 2, 1);
    titleRow->setSpacing(2);
    laManagerTitle = named(new QLabel(QStringLiteral("Web Address Manager"), pnManagerTitle), "laManagerTitle");
    QFont bold = laManagerTitle->font();
    bold.setBold(true);
    laManagerTitle->setFont(bold);
    // The title strip moves the panel; its label lets the presses through.
    laManagerTitle->setAttribute(Qt::WA_TransparentForMouseEvents);
    btnMinManager = button(pnManagerTitle, "btnMinManager", QStringLiteral("Minimize"));
    btnMaxManager = button(pnManagerTitle, "btnMaxManager", QStringLiteral("Maximize"));
    btnHelpManager = button(pnManagerTitle, "btnHelpManager", QStringLiteral("Help"));
    btnCloseManager = button(pnManagerTitle, "btnCloseManager", QStringLiteral("Close"));
    titleRow->addWidget(laManagerTitle, 1);
    for (QPushButton *b : {btnMinManager, btnMaxManager, btnHelpManager, btnCloseManager})
        titleRow->addWidget(b);

    slQueue = named(new QSplitter(Qt::Vertical, this), "slQueue");
    slQueue->setChildrenCollapsible(false);
    slImports = named(new QSplitter(Qt::Horizontal, slQueue), "slImports");
    slImports->setChildrenCollapsible(false);

    const QString masterHint = QStringLiteral("Master menu.");
    // Favorites, left.
    pnFavorites = named(new QWidget(slImports), "pnFavorites");
    sbFavoritesMaster = speedButton(pnFavorites, "sbFavoritesMaster", QStringLiteral("Favorites"), masterHint);
    laFavoritesSearch = named(new QLabel(QStringLiteral("Search for:")), "laFavoritesSearch");
    edFavoritesSearch = named(new QLineEdit, "edFavoritesSearch");
    btnFavoritesPrior = button(nullptr, "btnFavoritesPrior", QStringLiteral("Prior"), QStringLiteral("Find the last hit."));
    btnFavoritesNext = button(nullptr, "btnFavoritesNext", QStringLiteral("Next"), QStringLiteral("Find the next hit."));
    pnFavTitle = titleBar(pnFavorites, "pnFavTitle", sbFavoritesMaster, laFavoritesSearch, edFavoritesSearch,
                          btnFavoritesPrior, btnFavoritesNext);
    tvFavorites = named(new TreeViewScroll(pnFavorites), "tvFavorites");
    auto *favoritesColumn = new QVBoxLayout(pnFavorites);
    favoritesColumn->setContentsMargins(0, 0, 0, 0);
    favoritesColumn->setSpacing(0);
    favoritesColumn->addWidget(pnFavTitle);
    favoritesColumn->addWidget(tvFavorites, 1);

    // Imports, right.
    pnImports = named(new QWidget(slImports), "pnImports");
    sbImportsMaster = speedButton(pnImports, "sbImportsMaster", QStringLiteral("Imports"), masterHint);
    laImportsSearch = named(new QLabel(QStringLiteral("Search for:")), "laImportsSearch");
    edImportsSearch = named(new QLineEdit, "edImportsSearch");
    btnImportsPrior = button(nullptr, "btnImportsPrior", QStringLiteral("Prior"), QStringLiteral("Find the last hit."));
    btnImportsNext = button(nullptr, "btnImportsNext", QStringLiteral("Next"), QStringLiteral("Find the next hit."));
    pnImportsTitle = titleBar(pnImports, "pnImportsTitle", sbImportsMaster, laImportsSearch, edImportsSearch,
                              btnImportsPrior, btnImportsNext);
    tvImports = named(new TreeViewScroll(pnImports), "tvImports");
    auto *importsColumn = new QVBoxLayout(pnImports);
    importsColumn->setContentsMargins(0, 0, 0, 0);
    importsColumn->setSpacing(0);
    importsColumn->addWidget(pnImportsTitle);
    importsColumn->addWidget(tvImports, 1);

    // The queue, below.
    pnQueuePlane = named(new QWidget(slQueue), "pnQueuePlane");
    pnQueueTitle = named(new QWidget(pnQueuePlane), "pnQueueTitle");
    pnQueueTitle->setFixedHeight(TitleHeight + 2);
    sbQueueMaster = speedButton(pnQueueTitle, "sbQueueMaster", QStringLiteral("Queue"), masterHint);
    const AddressIcons icons;
    imTimer = named(new QLabel(pnQueueTitle), "imTimer");
    imTimer->setPixmap(QPixmap::fromImage(icons.image(2)));
    Label66 = named(new QLabel(QStringLiteral("Status:   Stopped "), pnQueueTitle), "Label66");
    Label67 = named(new QLabel(QStringLiteral("Open Delay:"), pnQueueTitle), "Label67");
    cbQueueTimerInterval = named(new QComboBox(pnQueueTitle), "cbQueueTimerInterval",
                                 QStringLiteral("Change the delay between browser openings."));
    cbQueueTimerInterval->addItems(AddressQueue::DelayChoices);
    cbQueueTimerInterval->setFocusPolicy(Qt::NoFocus);
    sbQueueTimerPause = speedButton(pnQueueTitle, "sbQueueTimerPause", QStringLiteral("Pause"),
                                    QStringLiteral("Suspend the system timer."));
    sbQueueTimerPause->setCheckable(true);
    sbQueueTimerClear = speedButton(pnQueueTitle, "sbQueueTimerClear", QStringLiteral("Clear"),
                                    QStringLiteral("Stop the timer and clear the queue."));
    imDX = named(new QLabel(pnQueueTitle), "imDX");
    imDX->setPixmap(controllerPicture());
    Label70 = named(new QLabel(QStringLiteral("Status:  Disconnected"), pnQueueTitle), "Label70");
    Label71 = named(new QLabel(QStringLiteral("Open Button:  Unassigned"), pnQueueTitle), "Label71");
    Label69 = named(new QLabel(QStringLiteral("Pending: "), pnQueueTitle), "Label69");
    Label68 = named(new QLabel(QStringLiteral("0"), pnQueueTitle), "Label68");
    auto *queueRow = new QHBoxLayout(pnQueueTitle);
    queueRow->setContentsMargins(2, 1, 6, 1);
    queueRow->setSpacing(6);
    for (QWidget *w : std::initializer_list<QWidget *>{sbQueueMaster, imTimer, Label66, Label67, cbQueueTimerInterval,
                                                       sbQueueTimerPause, sbQueueTimerClear, imDX, Label70, Label71})
        queueRow->addWidget(w);
    queueRow->addStretch(1);
    queueRow->addWidget(Label69);
    queueRow->setSpacing(6);
    queueRow->addWidget(Label68);
    // Both sets wait hidden until the panel first opens.
    for (QWidget *w : std::initializer_list<QWidget *>{imTimer, Label66, Label67, cbQueueTimerInterval, imDX, Label70,
                                                       Label71})
        w->hide();
    lbQueueList = named(new ListBoxStripes(pnQueuePlane), "lbQueueList", QStringLiteral("Right click for pop up menu."));
    // The queue area keeps the quarter it is given, however small the panel.
    lbQueueList->setMinimumHeight(TitleHeight);
    auto *queueColumn = new QVBoxLayout(pnQueuePlane);
    queueColumn->setContentsMargins(0, 0, 0, 0);
    queueColumn->setSpacing(0);
    queueColumn->addWidget(pnQueueTitle);
    queueColumn->addWidget(lbQueueList, 1);

    // The history calendar, shown over the favorites tree.
    pnCalendar = named(new QFrame(this), "pnCalendar");
    pnCalendar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnCalendar->setAutoFillBackground(true);
    pnCalendarTitle = named(new QWidget(pnCalendar), "pnCalendarTitle");
    pnCalendarTitle->setAutoFillBackground(true);
    pnCalendarTitle->setBackgroundRole(QPalette::Mid);
    auto *calendarTitleRow = new QHBoxLayout(pnCalendarTitle);
    calendarTitleRow->setContentsMargins(6, 1, 2, 1);
    auto *calendarCaption = named(new QLabel(QStringLiteral("History"), pnCalendarTitle), "laCalendarTitle");
    calendarCaption->setAttribute(Qt::WA_TransparentForMouseEvents);
    btnCalendarClose = button(pnCalendarTitle, "btnCalendarClose", QStringLiteral("Close"));
    calendarTitleRow->addWidget(calendarCaption, 1);
    calendarTitleRow->addWidget(btnCalendarClose);
    HistoryCalendar = named(new QCalendarWidget(pnCalendar), "HistoryCalendar", QStringLiteral("Select history date."));
    HistoryCalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto *calendarColumn = new QVBoxLayout(pnCalendar);
    calendarColumn->setContentsMargins(2, 2, 2, 2);
    calendarColumn->setSpacing(2);
    calendarColumn->addWidget(pnCalendarTitle);
    calendarColumn->addWidget(HistoryCalendar, 1);
    pnCalendar->resize(pnCalendar->sizeHint().expandedTo(QSize(240, 200)));
    pnCalendar->hide();

    layoutPanel();
}

QRect ManagerPanel::addressesArea() const
{
    return slQueue->geometry();
}

void ManagerPanel::layoutPanel()
{
    const int w = width() - 2 * Margin;
    pnManagerTitle->setGeometry(Margin, Margin, w, TitleHeight);
    slQueue->setGeometry(Margin, Margin + TitleHeight + 2, w, qMax(0, height() - 2 * Margin - TitleHeight - 2));
}

void ManagerPanel::shareAreas()
{
    layoutPanel();
    const QRect area = addressesArea();
    const int queue = area.height() / 4;
    slQueue->setSizes({area.height() - queue - slQueue->handleWidth(), queue});
    const int imports = area.width() / 3;
    slImports->setSizes({area.width() - imports - slImports->handleWidth(), imports});
}

void ManagerPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    layoutPanel();
}
