#pragma once

#include "appearance/skinimages.h"
#include "appearance/widgets/skinbutton.h"
#include "core/commandregistry.h"
#include "core/overlaypanels.h"
#include "navgrid/navgrid.h"
#include "navgrid/navgridmap.h"
#include "navgrid/navgridpanel.h"
#include "navgrid/navhintpanel.h"
#include "support/gridharness.h"

#include <QTest>

#include <memory>

// A grid of engine-less panes in a 915 x 600 window laid out like the main
// window's frame (strips 31 high, the tool bar 65, grid edges 7), with the
// navigation grid over it.
struct NavGridHarness : GridHarness
{
    CommandRegistry commands;
    std::unique_ptr<OverlayPanels> overlays;
    QWidget *pnMaster, *pnTop, *pnControls, *pnGridTop, *pnGridRight, *pnMainGrid;
    SkinButton *skNavGrid;
    std::unique_ptr<NavGrid> nav;

    explicit NavGridHarness(int buttonBarPosition = 0)
        : GridHarness(false, {400, 300})
    {
        settings.buttonBarPosition = buttonBarPosition;
        window.resize(915, 600);
        pnMaster = new QWidget(&window);
        pnMaster->setGeometry(0, 0, 915, 600);
        pnMaster->lower();
        pnTop = new QWidget(pnMaster);
        pnTop->setGeometry(0, 0, 915, 31);
        const bool barOnTop = buttonBarPosition != 0;
        pnControls = new QWidget(pnMaster);
        pnControls->setGeometry(0, barOnTop ? 31 : 600 - 31 - 65, 915, 65);
        const int gridTop = barOnTop ? 31 + 65 : 31;
        pnGridTop = new QWidget(pnMaster);
        pnGridTop->setGeometry(0, gridTop, 915, 7);
        pnGridRight = new QWidget(pnMaster);
        pnGridRight->setGeometry(908, gridTop + 7, 7, 600 - 62 - 65 - 14);
        pnMainGrid = new QWidget(pnMaster);
        pnMainGrid->setGeometry(7, gridTop + 7, 901, 600 - 62 - 65 - 14);
        scrollBox->setGeometry(pnMainGrid->geometry());
        skNavGrid = new SkinButton(pnMaster);
        skNavGrid->setObjectName(QStringLiteral("skNavGrid"));
        overlays = std::make_unique<OverlayPanels>(&window, flags, prompter);
        nav = std::make_unique<NavGrid>(*grid, settings, flags, prompter, *overlays, commands, skin,
                                        NavGrid::Parts{&window, pnMaster, pnTop, pnControls, pnGridTop, pnGridRight,
                                                       pnMainGrid, scrollBox, skNavGrid});
    }
    ~NavGridHarness() { nav.reset(); }

    NavGridMap *map() const { return nav->panel()->dgNavGrid; }
    NavHintPanel *hint() const { return nav->hint(); }
    // The centre of a square, in the map.
    static QPoint square(int cell) { return QPoint((cell % 8) * 17 + 8, (cell / 8) * 17 + 8); }
    // A mouse move over the map with these keys held, as the pointer makes it.
    void hover(int cell, Qt::KeyboardModifiers keys = Qt::NoModifier, QPoint offset = {}) const
    {
        QMouseEvent move(QEvent::MouseMove, square(cell) + offset, map()->mapToGlobal(square(cell) + offset),
                         Qt::NoButton, Qt::NoButton, keys);
        QApplication::sendEvent(map(), &move);
    }
};
