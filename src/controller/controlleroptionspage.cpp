#include "controller/controlleroptionspage.h"

#include "controller/controlleroptions.h"
#include "core/prompter.h"
#include "core/settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QSlider *pixelBar(QWidget *parent, const char *name)
{
    auto *bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(1, 100);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(10);
    return bar;
}

// The handlers that store from a control act only while the panel shows.
bool panelShown(const std::function<bool()> &visible)
{
    return !visible || visible();
}

} // namespace

ControllerOptionsPage::ControllerOptionsPage(Settings &settings, Prompter &prompter, Hooks hooks, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_prompter(prompter), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("tsDirectInput"));
    auto *layout = new QVBoxLayout(this);

    auto *device = new QGroupBox(QStringLiteral("Digital: game pad or joystick"), this);
    auto *deviceLayout = new QGridLayout(device);
    cbDXEnabled = new QComboBox(device);
    cbDXEnabled->setObjectName(QStringLiteral("cbDXEnabled"));
    cbDXEnabled->addItems(ControllerOptions::enabledEntries());
    auto *idCaption = new QLabel(QStringLiteral("ID"), device);
    cbDXID = new QComboBox(device);
    cbDXID->setObjectName(QStringLiteral("cbDXID"));
    cbDXID->addItems(ControllerOptions::idEntries());
    btnDXProperties = new QPushButton(QStringLiteral("Open"), device);
    btnDXProperties->setObjectName(QStringLiteral("btnDXProperties"));
    btnDXProperties->setToolTip(QStringLiteral("Open the Control Panel's Game Controller Properties."));
    deviceLayout->addWidget(cbDXEnabled, 0, 0);
    deviceLayout->addWidget(idCaption, 0, 1);
    deviceLayout->addWidget(cbDXID, 0, 2);
    deviceLayout->addWidget(btnDXProperties, 0, 3);
    layout->addWidget(device);

    auto *features = new QGroupBox(QStringLiteral("Features and Actions"), this);
    auto *featuresLayout = new QGridLayout(features);
    auto *featureCaption = new QLabel(QStringLiteral("Select feature to change"), features);
    auto *actionCaption = new QLabel(QStringLiteral("Assign new action"), features);
    cbDXFeatures = new QComboBox(features);
    cbDXFeatures->setObjectName(QStringLiteral("cbDXFeatures"));
    cbDXFeatures->addItems(ControllerOptions::features());
    cbDXFeatures->setCurrentIndex(-1);
    cbDXActions = new QComboBox(features);
    cbDXActions->setObjectName(QStringLiteral("cbDXActions"));
    btnResetDXFeatures = new QPushButton(QStringLiteral("Reset"), features);
    btnResetDXFeatures->setObjectName(QStringLiteral("btnResetDXFeatures"));
    btnResetDXFeatures->setToolTip(QStringLiteral("Reset features."));
    featuresLayout->addWidget(featureCaption, 0, 0);
    featuresLayout->addWidget(actionCaption, 0, 1);
    featuresLayout->addWidget(cbDXFeatures, 1, 0);
    featuresLayout->addWidget(cbDXActions, 1, 1);
    featuresLayout->addWidget(btnResetDXFeatures, 1, 2);
    layout->addWidget(features);

    auto *grid = new QGroupBox(QStringLiteral("Grid Sensitivity"), this);
    auto *gridLayout = new QHBoxLayout(grid);
    tbDXGridPixels = pixelBar(grid, "tbDXGridPixels");
    Label9 = new QLabel(grid);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setMinimumWidth(30);
    gridLayout->addWidget(tbDXGridPixels);
    gridLayout->addWidget(Label9);
    layout->addWidget(grid);

    auto *browser = new QGroupBox(QStringLiteral("Browser Sensitivity"), this);
    auto *browserLayout = new QHBoxLayout(browser);
    tbDXBrowserPixels = pixelBar(browser, "tbDXBrowserPixels");
    Label58 = new QLabel(browser);
    Label58->setObjectName(QStringLiteral("Label58"));
    Label58->setMinimumWidth(30);
    browserLayout->addWidget(tbDXBrowserPixels);
    browserLayout->addWidget(Label58);
    layout->addWidget(browser);
    layout->addStretch();

    m_controlled = {idCaption, cbDXID, btnDXProperties, features, grid, browser};

    connect(cbDXEnabled, &QComboBox::activated, this, &ControllerOptionsPage::selectEnabled);
    connect(cbDXID, &QComboBox::activated, this, &ControllerOptionsPage::selectId);
    connect(cbDXFeatures, &QComboBox::activated, this, &ControllerOptionsPage::selectFeature);
    connect(cbDXActions, &QComboBox::activated, this, &ControllerOptionsPage::selectAction);
    connect(btnResetDXFeatures, &QPushButton::clicked, this, &ControllerOptionsPage::resetFeatures);
    connect(tbDXGridPixels, &QSlider::valueChanged, this, &ControllerOptionsPage::gridPixelsChanged);
    connect(tbDXBrowserPixels, &QSlider::valueChanged, this, &ControllerOptionsPage::browserPixelsChanged);
    connect(btnDXProperties, &QPushButton::clicked, this, &ControllerOptionsPage::openProperties);
    fill();
}

void ControllerOptionsPage::fill()
{
    m_filling = true;
    cbDXEnabled->setCurrentIndex(m_settings.dxEnabled == 1 ? 1 : 0);
    cbDXID->setCurrentIndex(qBound(0, m_settings.dxId, cbDXID->count() - 1));
    tbDXGridPixels->setValue(m_settings.dxGridPixels);
    tbDXBrowserPixels->setValue(m_settings.dxBrowserPixels);
    Label9->setText(QString::number(tbDXGridPixels->value()));
    Label58->setText(QString::number(tbDXBrowserPixels->value()));
    enableControls();
    m_filling = false;
}

void ControllerOptionsPage::enableControls()
{
    for (QWidget *w : m_controlled)
        w->setEnabled(m_settings.dxEnabled == 1);
}

void ControllerOptionsPage::apply()
{
    if (m_hooks.applyControllerSettings && !m_hooks.applyControllerSettings())
        m_prompter.showInformation(QStringLiteral("Could not initialize direct input."));
}

void ControllerOptionsPage::selectEnabled(int index)
{
    if (m_filling || !panelShown(m_hooks.panelVisible) || index < 0)
        return;
    m_settings.dxEnabled = index;
    enableControls();
    apply();
}

void ControllerOptionsPage::selectId(int index)
{
    if (m_filling || !panelShown(m_hooks.panelVisible) || index < 0)
        return;
    m_settings.dxId = index;
    apply();
}

void ControllerOptionsPage::selectFeature(int index)
{
    cbDXActions->clear();
    const QStringList actions = ControllerOptions::actions(index);
    if (actions.isEmpty())
        return;
    cbDXActions->addItems(actions);
    cbDXActions->setCurrentIndex(ControllerOptions::chosenAction(m_settings, index));
}

void ControllerOptionsPage::selectAction(int index)
{
    ControllerOptions::storeAction(m_settings, cbDXFeatures->currentIndex(), index);
    if (m_hooks.updateQueueControllerStatus)
        m_hooks.updateQueueControllerStatus();
}

void ControllerOptionsPage::resetFeatures()
{
    if (!m_prompter.askConfirmation(QStringLiteral("Reset features?")))
        return;
    ControllerOptions::resetFeatures(m_settings);
    cbDXFeatures->setCurrentIndex(-1);
    cbDXActions->clear();
    {
        const QSignalBlocker grid(tbDXGridPixels), browser(tbDXBrowserPixels);
        tbDXGridPixels->setValue(m_settings.dxGridPixels);
        tbDXBrowserPixels->setValue(m_settings.dxBrowserPixels);
    }
    Label9->setText(QString::number(m_settings.dxGridPixels));
    Label58->setText(QString::number(m_settings.dxBrowserPixels));
    apply();
}

void ControllerOptionsPage::gridPixelsChanged(int value)
{
    if (m_filling || !panelShown(m_hooks.panelVisible))
        return;
    m_settings.dxGridPixels = value;
    Label9->setText(QString::number(value));
    apply();
}

void ControllerOptionsPage::browserPixelsChanged(int value)
{
    if (m_filling || !panelShown(m_hooks.panelVisible))
        return;
    m_settings.dxBrowserPixels = value;
    Label58->setText(QString::number(value));
    apply();
}

void ControllerOptionsPage::openProperties()
{
    if (!panelShown(m_hooks.panelVisible))
        return;
    if (!m_hooks.openControllerProperties || !m_hooks.openControllerProperties())
        m_prompter.showInformation(QStringLiteral("Could not open the Game Controller Properites window."));
}
