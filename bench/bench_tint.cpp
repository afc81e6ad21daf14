// How long the window takes to take a new colour scheme: the skin strips and
// glyphs tinted (every scheme in turn, several rounds), and the whole repaint
// of the real window (ApplyColours) with a number of panes open, headless.
//
//   bench_tint [panes] [rounds]

#include "benchsupport.h"

#include "app/mainwindow.h"
#include "app/windowappearance.h"
#include "appearance/colourschemes.h"
#include "appearance/skinimages.h"
#include "appearance/skintinter.h"
#include "core/eventwait.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "pane/enginesetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>

namespace {

struct Times
{
    QList<double> ms;
    // Each scheme in turn, rounds times: the settings take it, then work runs, timed.
    template<typename Work>
    bool measure(int rounds, Settings &settings, Work work)
    {
        for (int round = 0; round < rounds; ++round)
            for (const QString &scheme : ColourSchemes::names()) {
                ColourSchemes::apply(scheme, settings);
                QElapsedTimer clock;
                clock.start();
                if (!work())
                    return false;
                ms << clock.nsecsElapsed() / 1e6;
            }
        return true;
    }
    QString summary()
    {
        std::sort(ms.begin(), ms.end());
        return QStringLiteral("median %1 ms, max %2 ms over %3")
            .arg(ms.at(ms.size() / 2), 0, 'f', 2)
            .arg(ms.last(), 0, 'f', 2)
            .arg(ms.size());
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const int panes = argc > 1 ? qBound(0, atoi(argv[1]), 64) : 16;
    const int rounds = argc > 2 ? qMax(1, atoi(argv[2])) : 3;
    EngineSetup::applyBeforeApplication();
    QApplication app(argc, argv);
    EngineSetup::chooseRendering();
    QTextStream out(stdout);

    // The skin alone.
    const SkinImages neutral;
    Settings scratch;
    Times tinting;
    tinting.measure(rounds, scratch, [&] { return !SkinTinter::tinted(neutral, scratch).strip(SkinStrip::Main).isNull(); });
    out << "tint the skin: " << tinting.summary() << Qt::endl;

    // The real window with panes of blank pages.
    BenchWindow bench;
    if (!bench.start())
        return 1;
    MainWindow &window = bench.window;
    for (int i = 0; i < panes; ++i)
        window.grid()->openAddressInNewBrowser(QStringLiteral("about:blank"), BrowserType::btNormal);
    EventWait::forMilliseconds(500);
    Times repaint;
    if (!repaint.measure(rounds, bench.settings, [&] { return window.appearance()->applyColours(); }))
        return 1;
    out << "repaint the window with " << panes << " panes: " << repaint.summary() << Qt::endl;
    window.close();
    return 0;
}
