#include "options/optionspanel.h"

#include "appearance/aestheticseditor.h"
#include "appearance/colourschemes.h"
#include "appearance/gridbackground.h"
#include "appearance/widgets/bmpscrollbox.h"
#include "core/busycursor.h"
#include "core/filedialogs.h"
#include "core/overlaypanels.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "grid/browsersizing.h"
#include "options/custombutton.h"
#include "options/gridtoolspanel.h"
#include "options/internetoptionsdialog.h"
#include "options/profilebox.h"
#include "pane/browserprofile.h"
#include "options/panelwidgets.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

namespace {

using PanelWidgets::button;
using PanelWidgets::label;
using PanelWidgets::swatch;

QComboBox *comboBox(QWidget *parent, const char *name, QRect geometry)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(geometry);
    return c;
}

QSlider *trackBar(QWidget *parent, const char *name, int minimum, const QString &hint, QRect geometry)
{
    auto *t = new QSlider(Qt::Horizontal, parent);
    t->setObjectName(QLatin1String(name));
    t->setRange(minimum, 1200);
    t->setTickInterval(120);
    t->setTickPosition(QSlider::TicksBelow);
    t->setToolTip(hint);
    t->setGeometry(geometry);
    return t;
}

const QString CustomColour = QStringLiteral("Custom...");

} // namespace

QString OptionsPanel::pictureFilter()
{
    return QStringLiteral("All (*.dib *.jpg *.jpeg *.bmp);;Device Independent Bitmap (*.dib);;"
                          "JPEG Image File (*.jpg);;JPEG Image File (*.jpeg);;Bitmaps (*.bmp)");
}

OptionsPanel::OptionsPanel(Settings &settings, RuntimeFlags &flags, Prompter &prompter, FileDialogs &dialogs,
                           BrowserGrid &grid, OverlayPanels &overlays, CustomButton &custom, OptionsHooks hooks,
                           QWidget *window)
    : QFrame(window), m_settings(settings), m_flags(flags), m_prompter(prompter), m_dialogs(dialogs), m_grid(grid),
      m_overlays(overlays), m_custom(custom), m_hooks(std::move(hooks)), m_window(window)
{
    setObjectName(QStringLiteral("pnOptions"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setFixedSize(PanelSize);

    m_aesthetics = new AestheticsEditor(
        m_settings, m_prompter, m_flags.dataFolder,
        {m_hooks.applyAppearance, m_hooks.applyColours, [] { return QApplication::palette(); }}, this);

    pcOptions = new QTabWidget(this);
    pcOptions->setObjectName(QStringLiteral("pcOptions"));
    pcOptions->setGeometry(4, 4, 462, 374);
    pcOptions->addTab(buildBrowserPage(), QStringLiteral("Browser"));
    pcOptions->addTab(buildAestheticsPage(), QStringLiteral("Aesthetics"));
    auto *directInput = new QWidget;
    directInput->setObjectName(QStringLiteral("tsDirectInput"));
    pcOptions->addTab(directInput, QStringLiteral("Direct Input"));
    pcOptions->addTab(buildGeneralPage(), QStringLiteral("General"));
    pcOptions->addTab(buildExtrasPage(), QStringLiteral("Extras"));

    // The bottom strip moves the panel and holds its two buttons.
    auto *bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("pnOptionsBottom"));
    bottom->setGeometry(1, 383, 468, 36);
    btnOptionsHelp = button(bottom, "btnOptionsHelp", QStringLiteral("Help"), QStringLiteral("Open the help file."),
                            {8, 6, 75, 24});
    btnCloseOptions = button(bottom, "btnCloseOptions", QStringLiteral("Close"),
                             QStringLiteral("Close the options panel."), {385, 6, 75, 24});
    connect(btnCloseOptions, &QPushButton::clicked, &m_overlays, &OverlayPanels::hideAll);
    connect(btnOptionsHelp, &QPushButton::clicked, this, [this] {
        if (m_hooks.openHelp)
            m_hooks.openHelp();
    });
    m_overlays.addPanel(this);
    m_overlays.addTitleStrip(bottom);
    hide();
}

OptionsPanel::~OptionsPanel() = default;

QWidget *OptionsPanel::buildPair(QWidget *page, const char *features, const char *actions, const char *reset,
                                 QComboBox **featureBox, QComboBox **actionBox, QPushButton **resetButton)
{
    auto *group = new QGroupBox(QStringLiteral("Features and Actions"), page);
    group->setGeometry(6, 6, 446, 110);
    label(group, nullptr, QStringLiteral("Select feature to change"), {10, 20, 200, 18});
    label(group, nullptr, QStringLiteral("Assign new action"), {220, 20, 200, 18});
    *featureBox = comboBox(group, features, {10, 40, 200, 24});
    *actionBox = comboBox(group, actions, {220, 40, 216, 24});
    *resetButton = button(group, reset, QStringLiteral("Reset"), QStringLiteral("Reset features."), {356, 76, 80, 24});
    return group;
}

QWidget *OptionsPanel::buildBrowserPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsBrowser"));
    QWidget *pair = buildPair(page, "cbBroFeatures", "cbBroActions", "btnResetBroFeatures", &cbBroFeatures,
                              &cbBroActions, &btnResetBroFeatures);
    edBroActions = new QLineEdit(pair);
    edBroActions->setObjectName(QStringLiteral("edBroActions"));
    edBroActions->setGeometry(cbBroActions->geometry());
    m_browserPair = new FeaturePair(OptionFeatures::browserRows(m_settings, m_flags), false, cbBroFeatures,
                                    cbBroActions, edBroActions, m_prompter, m_hooks, {}, this);
    // Typing stores the address only while the panel shows (filling the box
    // stores nothing).
    disconnect(edBroActions, &QLineEdit::textEdited, m_browserPair, nullptr);
    connect(edBroActions, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (isVisible())
            m_browserPair->editText(text);
    });
    connect(btnResetBroFeatures, &QPushButton::clicked, m_browserPair, &FeaturePair::reset);

    auto *size = new QGroupBox(QStringLiteral("Size"), page);
    size->setObjectName(QStringLiteral("gbBrowserSize"));
    size->setGeometry(6, 122, 446, 160);
    Label11 = label(size, "Label11", QStringLiteral("Method"), {10, 24, 56, 18});
    cbBroSizeMethod = comboBox(size, "cbBroSizeMethod", {70, 20, 160, 24});
    cbBroSizeMethod->addItems({QStringLiteral("Auto sizing"), QStringLiteral("Manual sizing")});
    Label4 = label(size, "Label4", QStringLiteral("Width"), {10, 58, 56, 18});
    tbBrowserWidth = trackBar(size, "tbBrowserWidth", 400, QStringLiteral("Adjust browser width."), {70, 52, 300, 30});
    Label5 = label(size, "Label5", QString(), {380, 58, 56, 18});
    Label3 = label(size, "Label3", QStringLiteral("Height"), {10, 92, 56, 18});
    tbBrowserHeight = trackBar(size, "tbBrowserHeight", 300, QStringLiteral("Adjust browser height."),
                               {70, 86, 300, 30});
    Label6 = label(size, "Label6", QString(), {380, 92, 56, 18});
    btnResetBroSize = button(size, "btnResetBroSize", QStringLiteral("Reset"),
                             QStringLiteral("Find the best browser size in relation to application size."),
                             {270, 124, 80, 24});
    btnApplyBroSize = button(size, "btnApplyBroSize", QStringLiteral("Apply"),
                             QStringLiteral("Update changes to width and height."), {356, 124, 80, 24});
    connect(tbBrowserWidth, &QSlider::valueChanged, Label5, [this](int v) { Label5->setText(QString::number(v)); });
    connect(tbBrowserHeight, &QSlider::valueChanged, Label6, [this](int v) { Label6->setText(QString::number(v)); });
    connect(btnApplyBroSize, &QPushButton::clicked, this, &OptionsPanel::applyBrowserSize);
    connect(btnResetBroSize, &QPushButton::clicked, this, &OptionsPanel::resetBrowserSize);
    connect(cbBroSizeMethod, &QComboBox::activated, this, &OptionsPanel::selectSizeMethod);

    auto *internet = new QGroupBox(QStringLiteral("Internet"), page);
    internet->setGeometry(6, 288, 446, 54);
    label(internet, nullptr, QStringLiteral("Cache and cookies of the browsers"), {10, 22, 260, 18});
    btnOpenInternetProperties = button(internet, "btnOpenInternetProperties", QStringLiteral("Internet options"),
                                       QStringLiteral("Clear the browsers' cache and cookies."), {306, 20, 130, 24});
    connect(btnOpenInternetProperties, &QPushButton::clicked, this, &OptionsPanel::openInternetOptions);
    return page;
}

QWidget *OptionsPanel::buildAestheticsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsAesthetics"));
    auto *colours = new QGroupBox(QStringLiteral("Colors and Profiles"), page);
    colours->setGeometry(6, 6, 446, 104);
    cbColorObjects = comboBox(colours, "cbColorObjects", {10, 22, 200, 24});
    cbColorObjects->addItems(ColourSchemes::colourObjects());
    cbColorObjects->setCurrentIndex(-1);
    cbColorObjects->setPlaceholderText(QStringLiteral("Color object"));
    cbColorBox = comboBox(colours, "cbColorBox", {220, 22, 216, 24});
    for (const auto &[name, colour] : GridToolsPanel::searchColours())
        cbColorBox->addItem(QIcon(swatch(colour)), name, colour);
    cbColorBox->addItem(CustomColour);
    cbColorBox->setCurrentIndex(-1);
    cbColorBox->setPlaceholderText(QStringLiteral("Color"));
    auto *profiles = new ProfileBox(colours);
    profiles->setObjectName(QStringLiteral("cbProfileFiles"));
    profiles->setGeometry(10, 66, 260, 24);
    profiles->lineEdit()->setPlaceholderText(QStringLiteral("Scheme or profile"));
    cbProfileFiles = profiles;
    btnSaveProfile = button(colours, "btnSaveProfile", QStringLiteral("Save"),
                            QStringLiteral("Save the colors as a profile."), {276, 66, 76, 24});
    btnDeleteProfile = button(colours, "btnDeleteProfile", QStringLiteral("Delete"),
                              QStringLiteral("Delete the selected profile."), {360, 66, 76, 24});

    connect(cbColorObjects, &QComboBox::activated, m_aesthetics, &AestheticsEditor::selectColourObject);
    connect(cbColorBox, &QComboBox::activated, this, [this](int index) {
        QColor colour = cbColorBox->itemData(index).value<QColor>();
        if (cbColorBox->itemText(index) == CustomColour)
            colour = QColorDialog::getColor(m_aesthetics->shownColour(), this);
        if (colour.isValid())
            m_aesthetics->selectColour(colour);
        else
            showAesthetics();
    });
    connect(profiles, &ProfileBox::picked, m_aesthetics, &AestheticsEditor::selectProfile);
    // Enter saves the changed colours.
    connect(profiles, &ProfileBox::enterPressed, m_aesthetics, &AestheticsEditor::enterPressed);
    connect(cbProfileFiles->lineEdit(), &QLineEdit::textEdited, m_aesthetics, &AestheticsEditor::setProfileText);
    connect(btnSaveProfile, &QPushButton::clicked, m_aesthetics, &AestheticsEditor::saveProfile);
    connect(btnDeleteProfile, &QPushButton::clicked, m_aesthetics, &AestheticsEditor::deleteProfile);
    connect(m_aesthetics, &AestheticsEditor::changed, this, &OptionsPanel::showAesthetics);

    buildPair(page, "cbAesFeatures", "cbAesActions", "btnResetAesFeatures", &cbAesFeatures, &cbAesActions,
              &btnResetAesFeatures)
        ->move(6, 116);
    m_aestheticsPair = new FeaturePair(OptionFeatures::aestheticsRows(m_settings), true, cbAesFeatures, cbAesActions,
                                       nullptr, m_prompter, m_hooks, [this] { m_aesthetics->markModified(); }, this);
    connect(btnResetAesFeatures, &QPushButton::clicked, m_aestheticsPair, &FeaturePair::reset);
    connect(m_aesthetics, &AestheticsEditor::featuresDeselected, m_aestheticsPair, &FeaturePair::deselect);

    auto *background = new QGroupBox(QStringLiteral("Grid Background Image"), page);
    background->setGeometry(6, 232, 446, 56);
    btnOpenGridBackground = button(background, "btnOpenGridBackground", QStringLiteral("Open"),
                                   QStringLiteral("Open a grid background image."), {270, 22, 80, 24});
    btnClearGridBackground = button(background, "btnClearGridBackground", QStringLiteral("Clear"),
                                    QStringLiteral("Clear the current grid background image."), {356, 22, 80, 24});
    connect(btnOpenGridBackground, &QPushButton::clicked, this, &OptionsPanel::openGridBackground);
    connect(btnClearGridBackground, &QPushButton::clicked, this, &OptionsPanel::clearGridBackground);
    return page;
}

QWidget *OptionsPanel::buildExtrasPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsExtras"));
    buildPair(page, "cbExtraFeatures", "cbExtraActions", "btnResetExtraFeatures", &cbExtraFeatures, &cbExtraActions,
              &btnResetExtraFeatures);
    m_extrasPair = new FeaturePair(OptionFeatures::extrasRows(m_settings), false, cbExtraFeatures, cbExtraActions,
                                   nullptr, m_prompter, m_hooks, {}, this);
    connect(btnResetExtraFeatures, &QPushButton::clicked, m_extrasPair, &FeaturePair::reset);
    QLabel *about = label(page, "laExtrasHint",
                          QStringLiteral("Pane sound: which panes are heard; Ctrl+M mutes or unmutes the active pane "
                                         "alone. The navigation grid marks each pane that plays sound.\n"
                                         "Click activates pane: a click in a page also makes its pane the active "
                                         "browser.\nPages out of view: panes scrolled out of view are "
                                         "frozen after 10 seconds (or freed after 5 minutes) and wake when they "
                                         "are shown or needed.\nRestore session: the panes of the last run come back in "
                                         "their cells at the next start.\nPage processes: one per site keeps a "
                                         "hung, crashed or greedy page to its own site's panes; shared is lighter, for "
                                         "machines short of memory. Applied at the next start."),
                          {10, 126, 440, 190});
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return page;
}

QWidget *OptionsPanel::buildGeneralPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsGeneral"));
    buildPair(page, "cbGeneralFeatures", "cbGeneralActions", "btnResetGeneralFeatures", &cbGeneralFeatures,
              &cbGeneralActions, &btnResetGeneralFeatures);
    m_generalPair = new FeaturePair(OptionFeatures::generalRows(m_settings), true, cbGeneralFeatures,
                                    cbGeneralActions, nullptr, m_prompter, m_hooks, {}, this);
    connect(btnResetGeneralFeatures, &QPushButton::clicked, m_generalPair, &FeaturePair::reset);

    auto *group = new QGroupBox(QStringLiteral("Custom Button"), page);
    group->setGeometry(6, 122, 446, 150);
    label(group, nullptr, QStringLiteral("Hint"), {10, 26, 46, 18});
    edCustomHint = new QLineEdit(group);
    edCustomHint->setObjectName(QStringLiteral("edCustomHint"));
    edCustomHint->setMaxLength(CustomButton::MaxHintLength);
    edCustomHint->setGeometry(60, 22, 376, 24);
    label(group, nullptr, QStringLiteral("Path"), {10, 58, 46, 18});
    edCustomPath = new QLineEdit(group);
    edCustomPath->setObjectName(QStringLiteral("edCustomPath"));
    edCustomPath->setGeometry(60, 54, 290, 24);
    btnOpenCustom = button(group, "btnOpenCustom", QStringLiteral("Open"),
                           QStringLiteral("Choose the program the custom button starts."), {356, 54, 80, 24});
    label(group, nullptr, QStringLiteral("Glyph"), {10, 90, 46, 18});
    cbxGlyphs = comboBox(group, "cbxGlyphs", {60, 86, 100, 24});
    const QStringList glyphs = CustomButton::glyphEntries();
    for (int i = 0; i < glyphs.size(); ++i)
        cbxGlyphs->addItem(QIcon(QPixmap::fromImage(m_custom.glyphPicture(i))), glyphs[i]);
    cbxGlyphs->setIconSize({24, 24});
    btnResetCustom = button(group, "btnResetCustom", QStringLiteral("Reset"),
                            QStringLiteral("Reset the custom button."), {356, 118, 80, 24});

    connect(edCustomPath, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (isVisible())
            m_custom.setPath(text);
    });
    connect(edCustomHint, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (isVisible())
            m_custom.setHint(text);
    });
    connect(btnOpenCustom, &QPushButton::clicked, this, [this] {
        if (isVisible())
            m_custom.choosePath();
    });
    connect(cbxGlyphs, &QComboBox::activated, this, [this](int entry) {
        if (isVisible())
            m_custom.chooseGlyph(entry);
    });
    connect(btnResetCustom, &QPushButton::clicked, this, [this] {
        if (isVisible())
            m_custom.reset();
    });
    connect(&m_custom, &CustomButton::changed, this, [this] {
        edCustomPath->setText(m_settings.customButtonPath);
        edCustomHint->setText(m_settings.customButtonHint);
        if (m_settings.customButtonGlyph < 0)
            cbxGlyphs->setCurrentIndex(-1);
    });
    return page;
}

void OptionsPanel::setDirectInputPage(QWidget *page, std::function<void()> fill)
{
    const int index = int(DirectInputPage);
    QWidget *placeholder = pcOptions->widget(index);
    pcOptions->removeTab(index);
    delete placeholder;
    pcOptions->insertTab(index, page, QStringLiteral("Direct Input"));
    m_fillDirectInput = std::move(fill);
}

void OptionsPanel::open()
{
    if (isVisible())
        return;
    const QString tooSmall = QStringLiteral("Resize, window is to small to show the options panel.");
    if (width() >= m_window->width() || height() >= m_window->height()) {
        m_prompter.showInformation(tooSmall);
        return;
    }
    m_overlays.hideAll();
    fillSizeGroup();
    if (!m_aesthetics->populateProfileList())
        m_prompter.showInformation(QStringLiteral("Could not populate the color profile files."));
    showAesthetics();
    if (m_fillDirectInput)
        m_fillDirectInput();
    edCustomPath->setText(m_settings.customButtonPath);
    edCustomHint->setText(m_settings.customButtonHint);
    const int glyph = m_settings.customButtonGlyph - CustomButton::FirstGlyph;
    cbxGlyphs->setCurrentIndex(glyph >= 0 && glyph < cbxGlyphs->count() ? glyph : -1);
    pcOptions->setCurrentIndex(BrowserPage);
    m_overlays.open(this, tooSmall);
}

void OptionsPanel::fillSizeGroup()
{
    tbBrowserWidth->setValue(m_settings.browserWidth);
    tbBrowserHeight->setValue(m_settings.browserHeight);
    Label5->setText(QString::number(tbBrowserWidth->value()));
    Label6->setText(QString::number(tbBrowserHeight->value()));
    cbBroSizeMethod->setCurrentIndex(m_settings.autoSize == 0 ? 0 : 1);
    enableSizeControls();
}

void OptionsPanel::enableSizeControls()
{
    const bool manual = m_settings.autoSize == 1;
    for (QWidget *w : std::initializer_list<QWidget *>{Label3, Label4, Label5, Label6, tbBrowserWidth,
                                                       tbBrowserHeight, btnResetBroSize, btnApplyBroSize})
        w->setEnabled(manual);
}

void OptionsPanel::applyBrowserSize()
{
    if (!isVisible())
        return;
    m_settings.browserWidth = tbBrowserWidth->value();
    Label5->setText(QString::number(m_settings.browserWidth));
    m_settings.browserHeight = tbBrowserHeight->value();
    Label6->setText(QString::number(m_settings.browserHeight));
    bool laidOut = false;
    try {
        laidOut = m_grid.layoutGrid(false);
    } catch (...) {
        laidOut = false;
    }
    if (!laidOut) {
        const QString message = QStringLiteral("Could not resize the browsers, closing Vorlan");
        if (m_hooks.closeAfterFatalError)
            m_hooks.closeAfterFatalError(message);
        else
            m_prompter.showPlain(message);
        return;
    }
    auto *box = qobject_cast<BmpScrollBox *>(m_grid.scrollBox());
    if (m_settings.gridBackgroundImageSize == 1 && box && !box->bitmapBack().isNull()
        && !runHook(m_hooks.applyGridBackgroundSize))
        m_prompter.showInformation(QStringLiteral("Could not resize the grid background image."));
}

void OptionsPanel::resetBrowserSize()
{
    if (!isVisible())
        return;
    // The track bars keep their ranges: 400..1200 by 300..1200.
    const QSize size = BrowserSizing::automaticSize(m_window->size(), m_grid.scrollBox()->size());
    tbBrowserWidth->setValue(size.width());
    tbBrowserHeight->setValue(size.height());
    applyBrowserSize();
}

void OptionsPanel::selectSizeMethod(int method)
{
    if (!isVisible() || method < 0 || method > 1)
        return;
    m_settings.autoSize = method;
    enableSizeControls();
    if (method == 0)
        resetBrowserSize();
}

void OptionsPanel::showAesthetics()
{
    const QSignalBlocker blockProfiles(cbProfileFiles);
    cbProfileFiles->clear();
    cbProfileFiles->addItems(m_aesthetics->profileList());
    cbProfileFiles->setCurrentIndex(-1);
    cbProfileFiles->setEditText(m_aesthetics->profileText());
    QPalette p = cbProfileFiles->palette();
    p.setColor(QPalette::Base, m_aesthetics->isModified() ? settingsColor(AestheticsEditor::ModifiedColour)
                                                          : QApplication::palette().color(QPalette::Base));
    cbProfileFiles->setPalette(p);
    cbProfileFiles->lineEdit()->setPalette(p);
    cbColorObjects->setCurrentIndex(m_aesthetics->colourObject());
    const QColor shown = m_aesthetics->shownColour();
    int entry = -1;
    for (int i = 0; shown.isValid() && i < cbColorBox->count(); ++i)
        if (cbColorBox->itemData(i).value<QColor>() == shown)
            entry = i;
    cbColorBox->setCurrentIndex(entry);
}

bool OptionsPanel::runHook(const std::function<bool()> &hook)
{
    try {
        return !hook || hook();
    } catch (...) {
        return false;
    }
}

void OptionsPanel::showFailure(const std::function<bool()> &hook, const QString &message)
{
    if (!runHook(hook))
        m_prompter.showInformation(message);
}

void OptionsPanel::openGridBackground()
{
    const QString path = m_dialogs.getOpenFileName(QStringLiteral("Open a grid background image"), QString(),
                                                   pictureFilter(), QString());
    if (path.isEmpty())
        return;
    {
        BusyCursor busy;
        if (QFileInfo::exists(path)) {
            QString why;
            // A picture that cannot be read leaves the old background as it was.
            if (!GridBackground::store(path, m_flags.dataFolder, &why)) {
                m_prompter.showInformation(QStringLiteral("Could not open the grid background image"));
                return;
            }
            m_settings.gridBackgroundImage = 1;
        }
    }
    showFailure(m_hooks.applyGridBackgroundImage, QStringLiteral("Could not open the grid background image"));
    showFailure(m_hooks.applyGridBackgroundSize, QStringLiteral("Could not change the grid background image size"));
}

void OptionsPanel::clearGridBackground()
{
    auto *box = qobject_cast<BmpScrollBox *>(m_grid.scrollBox());
    if (!box || box->bitmapBack().isNull())
        return;
    if (!m_prompter.askConfirmation(QStringLiteral("Clear the grid background image?")))
        return;
    m_settings.gridBackgroundImage = 0;
    showFailure(m_hooks.applyGridBackgroundImage, QStringLiteral("Could not clear the grid background image"));
}

void OptionsPanel::openInternetOptions()
{
    QWebEngineProfile *profile = m_webProfile ? m_webProfile : BrowserProfile::shared();
    if (!profile) {
        m_prompter.showInformation(QStringLiteral("Could not open the Control Panel's Internet Properties window."));
        return;
    }
    InternetOptionsDialog dialog(profile, this);
    dialog.exec();
}
