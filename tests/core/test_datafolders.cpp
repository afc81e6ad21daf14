#include "core/datafolders.h"
#include "support/scriptedprompter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString FallbackMessage = QStringLiteral(
    "Could not create My Vorlan folders under the current\nuser account, setting folders to the default user.");

void makeFile(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}
} // namespace

class TestDataFolders : public QObject
{
    Q_OBJECT

private slots:
    void firstRunCreatesEverything()
    {
        QTemporaryDir dir;
        const QString documents = dir.filePath(QStringLiteral("Documents"));
        QVERIFY(QDir().mkpath(documents));
        ScriptedPrompter prompter;
        QString dataFolder;
        QVERIFY(DataFolders::locate(documents, dir.filePath("program/"), prompter, dataFolder));
        QCOMPARE(dataFolder, documents + QStringLiteral("/My Vorlan/"));
        for (const QString &sub : DataFolders::subfolders())
            QVERIFY2(QFileInfo(dataFolder + sub).isDir(), qPrintable(sub));
        QVERIFY(prompter.shown.isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath("program/Default User")));
    }

    void existingFoldersAreUsedAsTheyAre()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath(QStringLiteral("My Vorlan"));
        QVERIFY(QDir().mkpath(root + "/Web Saves"));
        makeFile(root + "/Web Saves/page.html");
        ScriptedPrompter prompter;
        QString dataFolder;
        QVERIFY(DataFolders::locate(dir.path(), dir.filePath("program/"), prompter, dataFolder));
        QVERIFY(QFileInfo::exists(root + "/Web Saves/page.html"));
    }

    void blockedSubfolderFallsBackToDefaultUser()
    {
        QTemporaryDir dir;
        const QString documents = dir.filePath(QStringLiteral("Documents"));
        QVERIFY(QDir().mkpath(documents + "/My Vorlan"));
        // A plain file where a folder should be: that one cannot be made.
        makeFile(documents + "/My Vorlan/Genre Lists");
        const QString program = dir.filePath(QStringLiteral("program/"));
        QVERIFY(QDir().mkpath(program));
        ScriptedPrompter prompter;
        QString dataFolder;
        QVERIFY(DataFolders::locate(documents, program, prompter, dataFolder));
        // The other user folders were still made.
        QVERIFY(QFileInfo(documents + "/My Vorlan/Web Saves").isDir());
        QVERIFY(QFileInfo(documents + "/My Vorlan/Aesthetic Profiles").isDir());
        QCOMPARE(dataFolder, program + QStringLiteral("Default User/"));
        for (const QString &sub : DataFolders::subfolders())
            QVERIFY(QFileInfo(dataFolder + sub).isDir());
        QCOMPARE(prompter.texts(), QStringList{FallbackMessage});
        QCOMPARE(prompter.shown.first().kind, ScriptedPrompter::Kind::Plain);
    }

    void noUsablePlace()
    {
        QTemporaryDir dir;
        const QString documents = dir.filePath(QStringLiteral("Documents"));
        makeFile(documents); // documents "folder" is a file
        const QString program = dir.filePath(QStringLiteral("program/"));
        QVERIFY(QDir().mkpath(program));
        makeFile(program + "Default User");
        ScriptedPrompter prompter;
        QString dataFolder;
        QVERIFY(!DataFolders::locate(documents, program, prompter, dataFolder));
        QCOMPARE(dataFolder, DataFolders::NotFound);
        QCOMPARE(prompter.texts(), QStringList{FallbackMessage});
    }

    void noDocumentsFolderAtAll()
    {
        QTemporaryDir dir;
        ScriptedPrompter prompter;
        QString dataFolder;
        QVERIFY(DataFolders::locate(DataFolders::NotFound, dir.path() + "/", prompter, dataFolder));
        QCOMPARE(dataFolder, dir.path() + QStringLiteral("/Default User/"));
    }

    void personalFolderIsCreatedWhenMissing()
    {
        // The test runs with its own HOME and no user-dirs file.
        const QString expected = QDir::homePath() + QStringLiteral("/Documents");
        QDir(expected).removeRecursively();
        QCOMPARE(DataFolders::personalFolder(), expected);
        QVERIFY(QFileInfo(expected).isDir());
    }
};

QTEST_GUILESS_MAIN(TestDataFolders)
#include "test_datafolders.moc"
