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
#include <QEvent>
#include <QLineEdit>

namespace {

// The style sheet that draws an address box's edge for its bevel, or an
// empty one where the style's own painting shows the box's colours (the
// editable address bar, flat or inherited). A non-editable box's own face is
// a button tinted from the button colour, so the select list always takes a
// sheet. A sheet's palette() means the application's colours, not the box's:
// the box's colours are written into it.
QString faceSheet(const DropDownComboBox *box)
{
    const int bevel = box->bevel();
    if (box->isEditable() && bevel != 2)
        return {};
    const QPalette p = box->palette();
    // The edge from the panel around the box: the sheet itself colours the
    // box's own window and mid roles.
    const QPalette around = box->parentWidget() ? box->parentWidget()->palette() : p;
    QString edge;
    switch (bevel) {
    case 0:
        edge = QStringLiteral("border: none;");
        break;
    case 2:
        edge = QStringLiteral("border: 1px solid %1; border-radius: 4px;").arg(around.color(QPalette::Mid).name());
        break;
    default:
        // As the style draws a frame: a thin line darker than the window.
        edge = QStringLiteral("border: 1px solid %1; border-radius: 2px;")
                   .arg(around.color(QPalette::Window).darker(140).name());
        break;
    }
    return QStringLiteral("QComboBox { %1 background: %2; color: %3; padding-left: 3px; }")
        .arg(edge, p.color(QPalette::Base).name(), p.color(QPalette::Text).name());
}

// Keeps an address box's sheet in step with its palette, which the window's
// colours and the address bar's modes (search is pale green) set.
class AddressBoxFace : public QObject
{
public:
    static constexpr const char *Name = "addressBoxFace";

    explicit AddressBoxFace(DropDownComboBox *box) : QObject(box), m_box(box)
    {
        setObjectName(QLatin1String(Name));
        box->installEventFilter(this);
    }

    void refresh()
    {
        const QString sheet = faceSheet(m_box);
        if (m_busy || m_box->styleSheet() == sheet)
            return;
        // A new sheet puts the box's palette back and sets it again, which
        // comes back here.
        m_busy = true;
        m_box->setStyleSheet(sheet);
        m_busy = false;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::PaletteChange)
            refresh();
        return QObject::eventFilter(watched, event);
    }

private:
    DropDownComboBox *m_box;
    bool m_busy = false;
};

// The box's sheet made from its colours now; from the first call on, the box
// is followed whenever its palette changes.
void refreshFace(DropDownComboBox *box)
{
    // (No meta-object of its own: found by its name.)
    auto *face = static_cast<AddressBoxFace *>(
        box->findChild<QObject *>(QLatin1String(AddressBoxFace::Name), Qt::FindDirectChildrenOnly));
    (face ? face : new AddressBoxFace(box))->refresh();
}

} // namespace

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
        for (DropDownComboBox *bar : {f.cbWebAddressBar, f.cbSelectBrowserList})
            refreshFace(bar);
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
    // Taking its sheet away gives a box back the palette it had before the
    // sheet: the colours are set again.
    applyAddressBoxColours();
    return true;
}

void WindowAppearance::applyAddressBoxColours()
{
    WindowFrame &f = *m_parts.frame;
    f.applyAddressBoxColours(m_settings);
    // The address bar in its mode's colours.
    if (m_parts.features)
        m_parts.features->addressBar()->refreshLook();
    for (DropDownComboBox *bar : {f.cbWebAddressBar, f.cbSelectBrowserList})
        refreshFace(bar);
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
