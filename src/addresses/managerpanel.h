#pragma once

#include <QFrame>

class ListBoxStripes;
class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QToolButton;
class TreeViewScroll;

// The address manager panel pnManager and the controls on it: its title
// strip with the size, help and close buttons; the favorites tree and the
// imports tree side by side, each below its title bar with the master menu
// button and the search bar; the queue area below them; and the history
// calendar panel. It only builds and places them; AddressManager gives them
// their work.
class ManagerPanel : public QFrame
{
    Q_OBJECT
public:
    explicit ManagerPanel(QWidget *parent);

    // Gives the queue area a quarter of the addresses area's height and the
    // imports area a third of its width.
    void shareAreas();
    // The addresses area: both trees and the queue area.
    QRect addressesArea() const;

    QWidget *pnManagerTitle;
    QLabel *laManagerTitle;
    QPushButton *btnMinManager, *btnMaxManager, *btnHelpManager, *btnCloseManager;
    QSplitter *slQueue;   // the trees above, the queue area below
    QSplitter *slImports; // favorites left, imports right

    QWidget *pnFavorites, *pnFavTitle;
    QToolButton *sbFavoritesMaster;
    QLabel *laFavoritesSearch;
    QLineEdit *edFavoritesSearch;
    QPushButton *btnFavoritesPrior, *btnFavoritesNext;
    TreeViewScroll *tvFavorites;

    QWidget *pnImports, *pnImportsTitle;
    QToolButton *sbImportsMaster;
    QLabel *laImportsSearch;
    QLineEdit *edImportsSearch;
    QPushButton *btnImportsPrior, *btnImportsNext;
    TreeViewScroll *tvImports;

    QWidget *pnQueuePlane, *pnQueueTitle;
    QToolButton *sbQueueMaster;
    QLabel *imTimer, *Label66, *Label67;
    QComboBox *cbQueueTimerInterval;
    QToolButton *sbQueueTimerPause, *sbQueueTimerClear;
    QLabel *imDX, *Label70, *Label71, *Label69, *Label68;
    ListBoxStripes *lbQueueList;

    QFrame *pnCalendar;
    QWidget *pnCalendarTitle;
    QCalendarWidget *HistoryCalendar;
    QPushButton *btnCalendarClose;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutPanel();
};
