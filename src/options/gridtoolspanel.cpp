#include "options/gridtoolspanel.h"

#include "appearance/widgets/dropdowncombobox.h"
#include "appearance/widgets/gauge.h"
#include "appearance/widgets/skinbutton.h"
#include "core/commandregistry.h"
#include "core/overlaypanels.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/shell.h"
#include "grid/browsergrid.h"
#include "grid/gridmaintenance.h"
#include "grid/gridsearch.h"
#include "options/panelwidgets.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

namespace {

using PanelWidgets::button;
using PanelWidgets::label;
using PanelWidgets::swatch;

enum Page { SearchPage, MaintenancePage, ResourcesPage, AudioPage };

Gauge *gauge(QWidget *parent, const char *name, QRect geometry)
{
    auto *g = new Gauge(parent);
    g->setObjectName(QLatin1String(name));
    g->setKind(Gauge::gkVerticalBar);
    g->setGeometry(geometry);
    return g;
}

} // namespace

const QList<QPair<QString, QColor>> &GridToolsPanel::searchColours()
{
    static const QList<QPair<QString, QColor>> colours = {
        {"Black", QColor(0, 0, 0)},        {"Maroon", QColor(128, 0, 0)},    {"Green", QColor(0, 128, 0)},
        {"Olive", QColor(128, 128, 0)},    {"Navy", QColor(0, 0, 128)},      {"Purple", QColor(128, 0, 128)},
        {"Teal", QColor(0, 128, 128)},     {"Gray", QColor(128, 128, 128)},  {"Silver", QColor(192, 192, 192)},
        {"Red", QColor(255, 0, 0)},        {"Lime", QColor(0, 255, 0)},      {"Yellow", QColor(255, 255, 0)},
        {"Blue", QColor(0, 0, 255)},       {"Fuchsia", QColor(255, 0, 255)}, {"Aqua", QColor(0, 255, 255)},
        {"White", QColor(255, 255, 255)},
    };
    return colours;
}

GridToolsPanel::GridToolsPanel(BrowserGrid &grid, GridSearch &search, GridMaintenance &maintenance,
                               RuntimeFlags &flags, Prompter &prompter, Shell &shell, OverlayPanels &overlays,
                               CommandRegistry &commands, SkinButton *skGridTools, const SystemInfo &system,
                               QWidget *window)
    : QFrame(window), m_grid(grid), m_search(search), m_maintenance(maintenance), m_flags(flags),
      m_prompter(prompter), m_shell(shell), m_overlays(overlays), m_system(system), m_window(window)
{
    setObjectName(QStringLiteral("pnGridTools"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setFixedSize(PanelSize);

    pcGridTools = new QTabWidget(this);
    pcGridTools->setObjectName(QStringLiteral("pcGridTools"));
    pcGridTools->setGeometry(4, 4, 396, 274);
    // All four tabs in the panel's width.
    pcGridTools->setUsesScrollButtons(false);
    pcGridTools->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 7px; }"));
    pcGridTools->addTab(buildSearchPage(), QStringLiteral("Browser Search"));
    pcGridTools->addTab(buildMaintenancePage(), QStringLiteral(" Defrag && Clean Up "));
    pcGridTools->addTab(buildResourcesPage(), QStringLiteral("Resources"));
    auto *audio = new QWidget;
    audio->setObjectName(QStringLiteral("tsAudio"));
    pcGridTools->addTab(audio, QStringLiteral("Audio"));
    connect(pcGridTools, &QTabWidget::currentChanged, this, &GridToolsPanel::pageChanged);

    // The bottom strip moves the panel and holds its two buttons.
    auto *bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("pnGridToolsBottom"));
    bottom->setGeometry(1, 281, 402, 34);
    button(bottom, "btnHelpGridTools", QStringLiteral("Help"), QStringLiteral("Open the help file."), {8, 5, 75, 24});
    btnCloseGridTools = button(bottom, "btnCloseGridTools", QStringLiteral("Close"),
                               QStringLiteral("Close the grid tools panel."), {319, 5, 75, 24});
    for (QPushButton *close : {btnCloseGridTools, btnCloseResources})
        connect(close, &QPushButton::clicked, &m_overlays, &OverlayPanels::hideAll);
    connect(bottom->findChild<QPushButton *>(QStringLiteral("btnHelpGridTools")), &QPushButton::clicked, this, [this] {
        // The help page opens at the grid tools; where there is none, nothing.
        const QString page = m_flags.programFolder + QStringLiteral("Vorlan Help.html");
        if (QFileInfo::exists(page))
            m_shell.openWithDefaultHandler(page + QStringLiteral("#grid tools"));
    });
    m_overlays.addPanel(this);
    m_overlays.addTitleStrip(bottom);

    connect(skGridTools->registerCommand(commands), &QAction::triggered, this, &GridToolsPanel::open);

    connect(&m_search, &GridSearch::statusChanged, Label31, &QLabel::setText);
    connect(&m_search, &GridSearch::progressChanged, this, [this](int value, int maximum) {
        puBrowserSearch->setMaximum(maximum);
        puBrowserSearch->setValue(value);
        puBrowserSearch->repaint();
    });
    connect(&m_search, &GridSearch::resultsChanged, this, &GridToolsPanel::fillResults);
    connect(&m_maintenance, &GridMaintenance::statusChanged, Label28, &QLabel::setText);
    connect(&m_maintenance, &GridMaintenance::progressChanged, this, [this](int value, int maximum) {
        puDefragCleanUp->setMaximum(qMax(1, maximum));
        puDefragCleanUp->setValue(value);
        puDefragCleanUp->repaint();
    });
    connect(&m_maintenance, &GridMaintenance::estimatesChanged, this,
            [this](const QString &defrag, const QString &cleanUp) {
                Label8->setText(defrag);
                Label48->setText(cleanUp);
            });
    hide();
}

GridToolsPanel::~GridToolsPanel() = default;

QWidget *GridToolsPanel::buildSearchPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsBrowserSearch"));
    label(page, nullptr, QStringLiteral("Search for:"), {10, 10, 120, 18});
    cbSearchTextList = new QComboBox(page);
    cbSearchTextList->setObjectName(QStringLiteral("cbSearchTextList"));
    cbSearchTextList->setEditable(true);
    cbSearchTextList->setInsertPolicy(QComboBox::NoInsert);
    cbSearchTextList->setGeometry(10, 28, 282, 24);
    // A click on the field gives the focus to the box, which hands its keys
    // to the text field past the field's own filters: Enter is watched on
    // both, and on the dropped-down list of earlier texts.
    cbSearchTextList->installEventFilter(this);
    cbSearchTextList->lineEdit()->installEventFilter(this);
    cbSearchTextList->view()->installEventFilter(this);
    btnStartSearch = button(page, "btnStartSearch", QStringLiteral("Start"),
                            QStringLiteral("Search the browsers in the grid for the search text."), {300, 28, 80, 24});
    cbSearchDownloaded = new QCheckBox(QStringLiteral("Search on download"), page);
    cbSearchDownloaded->setObjectName(QStringLiteral("cbSearchDownloaded"));
    cbSearchDownloaded->setToolTip(QStringLiteral("Search each new browser when downloading is complete."));
    cbSearchDownloaded->setGeometry(10, 60, 180, 20);
    cbProximate = new QCheckBox(QStringLiteral("Proximate"), page);
    cbProximate->setObjectName(QStringLiteral("cbProximate"));
    cbProximate->setToolTip(QStringLiteral("Highlight the text surrounding the search text."));
    cbProximate->setGeometry(200, 60, 120, 20);
    label(page, nullptr, QStringLiteral("Highlight color:"), {10, 88, 120, 18});
    cbSearchColor = new QComboBox(page);
    cbSearchColor->setObjectName(QStringLiteral("cbSearchColor"));
    cbSearchColor->setToolTip(QStringLiteral("Change the highlight color."));
    cbSearchColor->setGeometry(130, 86, 150, 24);
    for (const auto &[name, colour] : searchColours())
        cbSearchColor->addItem(QIcon(swatch(colour)), name, colour);
    cbSearchColor->setCurrentText(QStringLiteral("Fuchsia"));
    Label31 = label(page, "Label31", QStringLiteral("Stopped"), {10, 118, 370, 18});
    puBrowserSearch = new QProgressBar(page);
    puBrowserSearch->setObjectName(QStringLiteral("puBrowserSearch"));
    puBrowserSearch->setGeometry(10, 138, 370, 14);
    puBrowserSearch->setTextVisible(false);
    puBrowserSearch->setValue(0);
    label(page, nullptr, QStringLiteral("Result List"), {10, 160, 120, 18});
    cbSearchResultList = new DropDownComboBox(page);
    cbSearchResultList->setObjectName(QStringLiteral("cbSearchResultList"));
    cbSearchResultList->setGeometry(10, 178, 282, 24);
    btnResetResultList = button(page, "btnResetResultList", QStringLiteral("Reset"),
                                QStringLiteral("Empty the search result list."), {300, 178, 80, 24});

    connect(btnStartSearch, &QPushButton::clicked, this, &GridToolsPanel::startSearch);
    connect(cbSearchDownloaded, &QCheckBox::clicked, this, [this](bool on) {
        rememberSearchText();
        m_search.setSearchOnDownload(on);
    });
    connect(cbSearchTextList, &QComboBox::editTextChanged, &m_search, &GridSearch::setText);
    connect(cbProximate, &QCheckBox::toggled, &m_search, &GridSearch::setProximate);
    connect(cbSearchColor, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_search.setColour(cbSearchColor->itemData(index).value<QColor>()); });
    connect(cbSearchResultList, &DropDownComboBox::aboutToShowPopup, this, &GridToolsPanel::fillResults);
    connect(cbSearchResultList, &QComboBox::activated, this, [this](int index) {
        bool ok = false;
        const int browserNo = cbSearchResultList->itemData(index).toInt(&ok);
        if (ok)
            m_search.selectResult(browserNo);
    });
    connect(btnResetResultList, &QPushButton::clicked, this, [this] {
        cbSearchTextList->setEditText(QString());
        m_search.reset();
    });
    return page;
}

QWidget *GridToolsPanel::buildMaintenancePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsDefragCleanUp"));
    Label28 = label(page, "Label28", QStringLiteral("Stopped"), {10, 10, 370, 18});
    puDefragCleanUp = new QProgressBar(page);
    puDefragCleanUp->setObjectName(QStringLiteral("puDefragCleanUp"));
    puDefragCleanUp->setGeometry(10, 30, 370, 14);
    puDefragCleanUp->setTextVisible(false);
    puDefragCleanUp->setValue(0);
    auto *defrag = new QGroupBox(QStringLiteral("Defragment the grid"), page);
    defrag->setGeometry(10, 54, 370, 80);
    Label8 = label(defrag, "Label8", QStringLiteral("0 browsers in use, 0 available."), {10, 24, 350, 18});
    btnDefragGrid = button(defrag, "btnDefragGrid", QStringLiteral("Start"), QStringLiteral("Defragment the grid."),
                           {280, 48, 80, 24});
    auto *clean = new QGroupBox(QStringLiteral("Clean up the grid"), page);
    clean->setGeometry(10, 142, 370, 80);
    Label48 = label(clean, "Label48", QStringLiteral("0 browsers to clean up, this will take about 0sec."),
                    {10, 24, 350, 18});
    btnCleanUpGrid = button(clean, "btnCleanUpGrid", QStringLiteral("Start"),
                            QStringLiteral("Clean up the grid, deletes all the browsers in the grid."),
                            {280, 48, 80, 24});
    connect(btnDefragGrid, &QPushButton::clicked, &m_maintenance, &GridMaintenance::defragment);
    connect(btnCleanUpGrid, &QPushButton::clicked, &m_maintenance, &GridMaintenance::cleanUp);
    return page;
}

QWidget *GridToolsPanel::buildResourcesPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsResources"));
    auto *group = new QGroupBox(QStringLiteral("Browser count && Memory usage(mb)"), page);
    group->setGeometry(6, 6, 380, 200);
    // Four columns: a gauge over three figures each.
    const char *captions[4] = {"Browsers", "RAM", "Swap", nullptr};
    guBrowsers = gauge(group, "guBrowsers", {16, 40, 40, 80});
    guRAM = gauge(group, "guRAM", {106, 40, 40, 80});
    guSwap = gauge(group, "guSwap", {196, 40, 40, 80});
    guVorlan = gauge(group, "guVorlan", {286, 40, 40, 80});
    for (int i = 0; i < 3; ++i)
        label(group, nullptr, QLatin1String(captions[i]), {10 + 90 * i, 20, 80, 18});
    label(group, "Label30", QStringLiteral("Vorlan"), {280, 20, 80, 18});
    const auto number = [group](const char *name, QRect geometry) {
        return label(group, name, QStringLiteral("0000"), geometry);
    };
    Label33 = number("Label33", {10, 126, 80, 16});
    Label43 = number("Label43", {10, 144, 80, 16});
    Label34 = label(group, "Label34", QStringLiteral("64"), {10, 162, 80, 16});
    Label40 = number("Label40", {100, 126, 80, 16});
    Label45 = number("Label45", {100, 144, 80, 16});
    Label38 = number("Label38", {100, 162, 80, 16});
    Label41 = number("Label41", {190, 126, 80, 16});
    Label46 = number("Label46", {190, 144, 80, 16});
    Label39 = number("Label39", {190, 162, 80, 16});
    Label44 = number("Label44", {280, 126, 90, 16});
    Label36 = number("Label36", {280, 144, 90, 16});
    Label35 = number("Label35", {280, 162, 90, 16});
    btnRefreshResources = button(page, "btnRefreshResources", QStringLiteral("Refresh"),
                                 QStringLiteral("Update the gauges."), {306, 212, 80, 24});
    // The panel's second Close, beside Refresh on the page that is only
    // looked at.
    btnCloseResources = button(page, "btnCloseResources", QStringLiteral("Close"), QStringLiteral("Close."),
                               {218, 212, 80, 24});
    connect(btnRefreshResources, &QPushButton::clicked, this, [this] {
        if (!refreshResources())
            m_prompter.showInformation(QStringLiteral("Could not get the system resource information"));
    });
    return page;
}

void GridToolsPanel::setAudioPage(QWidget *page, std::function<void()> chosen)
{
    const int index = int(AudioPage);
    QWidget *placeholder = pcGridTools->widget(index);
    pcGridTools->removeTab(index);
    delete placeholder;
    pcGridTools->insertTab(index, page, QStringLiteral("Audio"));
    m_audioPage = page;
    m_audioChosen = std::move(chosen);
}

void GridToolsPanel::open()
{
    if (isVisible())
        return;
    if (!m_overlays.open(this, QStringLiteral("Resize, window is to small to show grid tools panel.")))
        return;
    pcGridTools->setCurrentIndex(SearchPage);
    pageChanged(SearchPage);
    cbSearchTextList->setFocus();
}

void GridToolsPanel::pageChanged(int index)
{
    switch (index) {
    case SearchPage:
        puBrowserSearch->setValue(0);
        Label31->setText(QStringLiteral("Stopped"));
        cbSearchTextList->setFocus();
        break;
    case MaintenancePage:
        puDefragCleanUp->setValue(0);
        Label28->setText(QStringLiteral("Stopped"));
        Label8->setText(m_maintenance.defragEstimate());
        Label48->setText(m_maintenance.cleanUpEstimate());
        break;
    case ResourcesPage:
        if (!refreshResources())
            m_prompter.showInformation(QStringLiteral("Could not get the system resource information"));
        break;
    case AudioPage:
        if (m_audioChosen)
            m_audioChosen();
        break;
    default:
        break;
    }
}

bool GridToolsPanel::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return QFrame::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return QFrame::eventFilter(watched, event);
    // Enter in the search box starts the search.
    if (type == QEvent::KeyPress && (watched == cbSearchTextList || watched == cbSearchTextList->lineEdit())) {
        enterInSearchText();
        return true;
    }
    // Enter on the dropped-down list takes the text picked there (the box
    // closes the list and sets its text first) and searches for it; an Enter
    // that picked nothing leaves the list open and searches nothing.
    if (type == QEvent::ShortcutOverride && watched == cbSearchTextList->view()
        && cbSearchTextList->view()->isVisible()) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!cbSearchTextList->view()->isVisible())
                    enterInSearchText();
            },
            Qt::QueuedConnection);
    }
    return QFrame::eventFilter(watched, event);
}

void GridToolsPanel::enterInSearchText()
{
    if (!cbSearchTextList->currentText().trimmed().isEmpty())
        startSearch();
}

void GridToolsPanel::rememberSearchText()
{
    const QString text = cbSearchTextList->currentText();
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty() && cbSearchTextList->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        cbSearchTextList->addItem(text);
        cbSearchTextList->setEditText(text);
    }
}

void GridToolsPanel::startSearch()
{
    m_search.setText(cbSearchTextList->currentText());
    if (m_search.text().trimmed().isEmpty())
        return;
    if (m_flags.browserCount > 0)
        rememberSearchText();
    m_search.search();
}

void GridToolsPanel::fillResults()
{
    try {
        cbSearchResultList->clear();
        for (const GridSearch::Result &result : m_search.results())
            cbSearchResultList->addItem(result.text, result.browserNo);
    } catch (...) {
        m_prompter.showInformation(QStringLiteral("Could not populate the search result list."));
    }
}

bool GridToolsPanel::refreshResources()
{
    MemoryStatus memory;
    if (!m_system.memoryStatus(&memory))
        return false;
    qint64 program = -1;
    if (!m_system.programMemory(&program))
        program = -1;
    const ResourceFigures f = ResourceFigures::compute(m_flags.browserCount, memory, program);
    Label33->setText(QString::number(f.browsersInUse));
    Label43->setText(QString::number(f.browsersFree));
    Label45->setText(QString::number(f.physicalFreeMb));
    Label40->setText(QString::number(f.physicalTotalMb));
    Label38->setText(QString::number(f.physicalUsedMb));
    Label46->setText(QString::number(f.swapFreeMb));
    Label41->setText(QString::number(f.swapTotalMb));
    Label39->setText(QString::number(f.swapUsedMb));
    const QColor normal = palette().color(QPalette::Highlight);
    const auto show = [&normal](Gauge *g, int value, bool low) {
        g->setProgress(value);
        g->setForeColor(low ? QColor(Qt::red) : normal);
    };
    show(guBrowsers, f.browsersGauge, f.browsersLow);
    show(guRAM, f.ramGauge, f.ramLow);
    show(guSwap, f.swapGauge, f.swapLow);
    Label44->setText(QString::number(f.programMb));
    Label36->setText(program >= 0 ? Label38->text() : QStringLiteral("0"));
    Label35->setText(QString::number(f.othersMb));
    if (program < 0)
        Label44->setText(QStringLiteral("0"));
    show(guVorlan, f.programGauge, false);
    return true;
}
