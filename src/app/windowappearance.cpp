#include "app/windowappearance.h"

#include "app/windowframe.h"
#include "appearance/gridbackground.h"
#include "appearance/skintinter.h"
#include "appearance/widgets/bmpscrollbox.h"
#include "appearance/widgets/dropdowncombobox.h"
#include "appearance/widgets/shadowlabel.h"
#include "core/busycursor.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "grid/gridfeatures.h"
#include "navgrid/navgrid.h"

#include <QCoreApplication>

WindowAppearance::WindowAppearance(Settings &settings, RuntimeFlags &flags, Prompter &prompter,
                                   const SkinImages &neutral, SkinImages &tinted, Parts parts)
    : m_settings(settings), m_flags(flags), m_prompter(prompter), m_neutral(neutral), m_tinted(tinted), m_parts(parts)
{
}

bool WindowAppearance::applyAppearance()
{
    const auto step = [this](bool ok, const char *message) {
        if (!ok)
            m_prompter.showInformation(QLatin1String(message));
    };
    step(applyColours(), "Could not set color profile.");
    step(applyButtonBarPosition(), "Could not set button bar position.");
    step(applyAddressBarBevel(), "Could not set address bar bevel.");
    step(applyGridBackgroundImage(), "Could not open the grid background image");
    step(applyGridBackgroundSize(), "Could not change the grid background image size");
    if (m_parts.applyController)
        step(m_parts.applyController(), "Could not initialize direct input.");
    if (m_parts.applyHints)
        step(m_parts.applyHints(), "Could not set application hints.");
    applyCornerLabels();
    return true;
}

void WindowAppearance::applyCornerLabels()
{
    const bool corners = m_settings.cornerHints == 1;
    WindowFrame &f = *m_parts.frame;
    for (QWidget *corner : {static_cast<QWidget *>(f.laAudio), static_cast<QWidget *>(f.laQueue),
                            static_cast<QWidget *>(f.laLocalIP), static_cast<QWidget *>(f.laActiveIP)})
        corner->setVisible(corners);
}

bool WindowAppearance::applyColours()
{
    try {
        BusyCursor busy;
        BackgroundSuspension suspended(m_flags);
        WindowFrame &f = *m_parts.frame;
        // Hidden while it is painted anew: no half-tinted frame shows.
        f.pnMaster->hide();
        m_tinted = SkinTinter::tinted(m_neutral, m_settings);
        f.applySkin(m_tinted, m_settings);
        if (m_parts.navGrid)
            m_parts.navGrid->applySkin(m_tinted);
        if (m_parts.features)
            m_parts.features->addressBar()->refreshLook();
        // Every pane takes the new colours in the state it is in (the active
        // one stays marked active).
        for (int n = 0; m_parts.grid && n < GridModel::BrowserLimit; ++n)
            if (BrowserPane *pane = m_parts.grid->pane(n))
                pane->refreshLook();
        f.pnMaster->show();
        f.window->update();
        QCoreApplication::processEvents();
        return true;
    } catch (...) {
        m_parts.frame->pnMaster->show();
        return false;
    }
}

bool WindowAppearance::applyButtonBarPosition()
{
    WindowFrame &f = *m_parts.frame;
    f.pnControls->setProperty("onTop", m_settings.buttonBarPosition == 1);
    f.layout();
    if (m_parts.navGrid)
        m_parts.navGrid->windowResized();
    return true;
}

bool WindowAppearance::applyAddressBarBevel()
{
    WindowFrame &f = *m_parts.frame;
    for (DropDownComboBox *bar : {f.cbWebAddressBar, f.cbSelectBrowserList})
        bar->setBevel(m_settings.addressBarBevel);
    return true;
}

bool WindowAppearance::applyGridBackgroundImage()
{
    BmpScrollBox *box = m_parts.frame->sbMainGrid;
    QImage picture;
    if (m_settings.gridBackgroundImage == 1) {
        picture = GridBackground::load(m_flags.dataFolder);
        // A missing or unreadable picture switches the background off.
        if (picture.isNull())
            m_settings.gridBackgroundImage = 0;
    }
    box->setBitmapBack(picture);
    box->viewport()->update();
    return true;
}

bool WindowAppearance::applyGridBackgroundSize()
{
    BmpScrollBox *box = m_parts.frame->sbMainGrid;
    if (box->bitmapBack().isNull())
        return true;
    box->setBitmapTTSWidth(m_settings.browserWidth);
    box->setBitmapTTSHeight(m_settings.browserHeight);
    box->setBitmapTileToSize(m_settings.gridBackgroundImageSize == 1);
    box->viewport()->update();
    return true;
}
