// Starts the main window headless in the current HOME, waits until it is
// shown (and, on request, until some pages have loaded or a panel is open),
// and writes a picture of it.
//
//   screenshot <output.png> [--pages N] [--about] [--navgrid [--hint]] [--gridtools [--search TEXT]]
//              [--scheme NAME] [--bar-top] [--background PICTURE [--tile-to-size]] [--manager [--max]]
//              [--options [PAGE]] [--sound] [--boss SECONDS] [--maximise]
//              [--scroll X Y]
//
// --sound gives every page a looping tone that plays at once, so the map
// marks the panes that make sound.

#include "addresses/addressmanager.h"
#include "addresses/managerpanel.h"
#include "app/mainwindow.h"
#include "app/windowappearance.h"
#include "appearance/colourschemes.h"
#include "appearance/gridbackground.h"
#include "appearance/widgets/dropdowncombobox.h"
#include "core/prompter.h"
#include "core/desktopshell.h"
#include "core/eventwait.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "navgrid/navgrid.h"
#include "options/gridtoolspanel.h"
#include "options/optionspanel.h"
#include "navgrid/navgridmap.h"
#include "navgrid/navgridpanel.h"
#include "pane/browserprofile.h"
#include "pane/enginesetup.h"
#include "support/audiofiles.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QComboBox>
#include <QPushButton>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include <cstdio>

namespace {

// Headless, a message box would wait for a click forever: the messages go to
// the terminal and every question is answered OK.
class PrintingPrompter : public Prompter
{
public:
    void showInformation(const QString &text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    bool askConfirmation(const QString &text) override
    {
        std::fprintf(stderr, "question (OK): %s\n", qPrintable(text));
        return true;
    }
    void showPlain(const QString &text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    void closeOpenBox() override {}
};

} // namespace

int main(int argc, char *argv[])
{
    EngineSetup::applyBeforeApplication();
    QApplication app(argc, argv);
    EngineSetup::chooseRendering();
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshot <output.png> [--pages N] [--about] [--navgrid [--hint]] "
                             "[--gridtools [--search TEXT]] [--scheme NAME] [--bar-top] "
                             "[--background PICTURE [--tile-to-size]] [--manager [--max]] [--options [PAGE]] [--sound] "
                             "[--boss SECONDS] [--maximise] [--scroll X Y]\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    int pages = 0;
    bool about = false, navGrid = false, hint = false, gridTools = false, barTop = false, tileToSize = false;
    bool manager = false, maximised = false, sound = false;
    int optionsPage = -1;
    int bossSeconds = -1;
    bool maximiseWindow = false;
    QPoint scrollBy;
    QString search, scheme, background;
    for (int i = 2; i < argc; ++i) {
        if (qstrcmp(argv[i], "--pages") == 0 && i + 1 < argc)
            pages = atoi(argv[++i]);
        else if (qstrcmp(argv[i], "--about") == 0)
            about = true;
        else if (qstrcmp(argv[i], "--navgrid") == 0)
            navGrid = true;
        else if (qstrcmp(argv[i], "--hint") == 0)
            hint = true;
        else if (qstrcmp(argv[i], "--gridtools") == 0)
            gridTools = true;
        else if (qstrcmp(argv[i], "--search") == 0 && i + 1 < argc)
            search = QString::fromLocal8Bit(argv[++i]);
        else if (qstrcmp(argv[i], "--scheme") == 0 && i + 1 < argc)
            scheme = QString::fromLocal8Bit(argv[++i]);
        else if (qstrcmp(argv[i], "--bar-top") == 0)
            barTop = true;
        else if (qstrcmp(argv[i], "--background") == 0 && i + 1 < argc)
            background = QString::fromLocal8Bit(argv[++i]);
        else if (qstrcmp(argv[i], "--tile-to-size") == 0)
            tileToSize = true;
        else if (qstrcmp(argv[i], "--manager") == 0)
            manager = true;
        else if (qstrcmp(argv[i], "--max") == 0)
            maximised = true;
        else if (qstrcmp(argv[i], "--sound") == 0)
            sound = true;
        else if (qstrcmp(argv[i], "--scroll") == 0 && i + 2 < argc) {
            scrollBy.setX(atoi(argv[++i]));
            scrollBy.setY(atoi(argv[++i]));
        } else if (qstrcmp(argv[i], "--maximise") == 0)
            maximiseWindow = true;
        else if (qstrcmp(argv[i], "--boss") == 0 && i + 1 < argc)
            bossSeconds = atoi(argv[++i]);
        else if (qstrcmp(argv[i], "--options") == 0)
            optionsPage = i + 1 < argc && argv[i + 1][0] != '-' ? atoi(argv[++i]) : 0;
    }

    Settings settings;
    RuntimeFlags flags;
    PrintingPrompter prompter;
    DesktopShell shell;
    MainWindow window(settings, flags, prompter, shell);
    if (!window.startUp())
        return 1;
    window.show();
    if (!EventWait::until([&] { return window.isVisible(); }, 10000))
        return 1;
    // The whole screen, also without a window manager to maximise it.
    if (maximiseWindow) {
        EventWait::forMilliseconds(200);
        window.setGeometry(window.screen()->availableGeometry());
    }

    QTemporaryDir folder;
    QString audio;
    if (sound) {
        // A second of a square wave; no click is there to start it.
        BrowserProfile::shared()->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
        const QString tone = folder.filePath(QStringLiteral("tone.wav"));
        QFile wav(tone);
        wav.open(QIODevice::WriteOnly);
        wav.write(AudioFiles::wav(1000));
        wav.close();
        audio = QStringLiteral("<audio autoplay loop src='%1'></audio>").arg(QUrl::fromLocalFile(tone).toString());
    }
    for (int i = 0; i < pages; ++i) {
        const QString path = folder.filePath(QStringLiteral("page%1.html").arg(i));
        QFile page(path);
        page.open(QIODevice::WriteOnly);
        page.write(QStringLiteral("<html><body style='font-family:sans-serif;background:#f4f6f8'>"
                                  "<h1>Page %1</h1><p>A local page in cell %1.</p>"
                                  "<p><a href='https://example.org/'>a link</a></p>%2</body></html>")
                       .arg(i)
                       .arg(audio)
                       .toUtf8());
        window.grid()->openAddressInNewBrowser(QUrl::fromLocalFile(path).toString(), BrowserType::btNormal);
    }
    EventWait::until([&] {
        for (int i = 0; i < pages; ++i)
            if (!window.grid()->pane(i) || window.grid()->pane(i)->control()->busy()
                || !window.grid()->pane(i)->control()->hasDocument())
                return false;
        return true;
    }, 30000);
    if (sound) {
        const bool heard = EventWait::until([&] {
            for (int i = 0; i < pages; ++i)
                if (!window.grid()->pane(i) || !window.grid()->pane(i)->audible())
                    return false;
            return true;
        }, 10000);
        std::fprintf(stderr, "%s\n", heard ? "every page makes sound" : "not every page made sound");
    }
    // The look as the options page "Aesthetics" would set it.
    if (!scheme.isEmpty() || barTop || !background.isEmpty()) {
        if (!scheme.isEmpty() && !ColourSchemes::apply(scheme, settings)) {
            std::fprintf(stderr, "no scheme \"%s\"\n", qPrintable(scheme));
            return 2;
        }
        if (barTop)
            settings.buttonBarPosition = 1;
        if (!background.isEmpty()) {
            QString why;
            if (!GridBackground::store(background, flags.dataFolder, &why)) {
                std::fprintf(stderr, "%s\n", qPrintable(why));
                return 2;
            }
            settings.gridBackgroundImage = 1;
            settings.gridBackgroundImageSize = tileToSize ? 1 : 0;
        }
        window.appearance()->applyAppearance();
    }
    if (about)
        window.openAboutPanel();
    if (optionsPage >= 0) {
        window.options()->open();
        window.options()->pcOptions->setCurrentIndex(optionsPage);
    }
    if (manager) {
        window.addressManager()->openManagerPanel();
        if (maximised)
            window.addressManager()->sizeManagerPanel(2);
    }
    if (gridTools) {
        window.gridTools()->open();
        if (!search.isEmpty()) {
            window.gridTools()->cbSearchTextList->setEditText(search);
            window.gridTools()->btnStartSearch->click();
            window.gridTools()->cbSearchResultList->setCurrentIndex(0);
        }
    }
    if (navGrid) {
        window.navGrid()->toggle();
        // The hint as the pointer over the first pane's square shows it.
        if (hint && pages > 0)
            window.navGrid()->hoverSquare(window.grid()->pane(0)->cellIndex, Qt::ControlModifier);
    }
    // Esc to the boss strip and, after a while, back: the picture is the
    // screen's, so a pane that does not draw itself again shows as it is.
    if (bossSeconds >= 0) {
        const auto escape = [&] {
            QWidget *to = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(to, &press);
            QApplication::sendEvent(to, &release);
        };
        escape();
        EventWait::forMilliseconds(bossSeconds * 1000);
        escape();
        window.activateWindow();
    }
    // The grid scrolled as by its scroll bars (after the boss strip, if asked).
    if (!scrollBy.isNull()) {
        QScrollArea *box = window.grid()->scrollBox();
        box->horizontalScrollBar()->setValue(box->horizontalScrollBar()->value() + scrollBy.x());
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->value() + scrollBy.y());
    }
    // Give the engine a moment to paint what it loaded.
    EventWait::forMilliseconds(pages > 0 ? 1500 : 100);

    const bool fromScreen = bossSeconds >= 0 && QGuiApplication::platformName() == QLatin1String("xcb");
    const QPixmap shot = fromScreen ? window.screen()->grabWindow(window.winId()) : window.grab();
    const bool saved = shot.save(output);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(output));
    window.close();
    return saved ? 0 : 1;
}
