#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"
#include "support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The text form of the address trees: reading, writing and classifying.
class TestAddressTreeText : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("tree.wam"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }
    // Each node as depth dots and caption: ".News" for a node at depth 1.
    static QStringList shape(const AddressTree &tree)
    {
        QStringList list;
        for (const AddressNode *n : tree.nodes())
            list << QString(n->depth(), u'.') + n->caption();
        return list;
    }

private slots:
    void readsTheShape_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("shape");
        QTest::newRow("CR LF after every line")
            << QByteArray("Favorites\r\n\tNews\r\n\t\thttp://a.test/\r\nHistory\r\n")
            << QStringList({"Favorites", ".News", "..http://a.test/", "History"});
        QTest::newRow("LF, CR and no last line end")
            << QByteArray("Favorites\n\tNews\r\t\thttp://a.test/\r\n\tSport\nHistory")
            << QStringList({"Favorites", ".News", "..http://a.test/", ".Sport", "History"});
        QTest::newRow("blanks count as levels, trailing ones stay")
            << QByteArray("Favorites\r\n News \r\n \thttp://a.test/\r\n") << QStringList({"Favorites", ".News ", "..http://a.test/"});
        QTest::newRow("a climb of two levels")
            << QByteArray("A\r\n\tB\r\n\t\tC\r\nD\r\n") << QStringList({"A", ".B", "..C", "D"});
        QTest::newRow("an indented first line is a root")
            << QByteArray("\t\tA\r\n\tB\r\n") << QStringList({"A", ".B"});
        QTest::newRow("an empty line is a root") << QByteArray("A\r\n\r\nB\r\n") << QStringList({"A", "", "B"});
        QTest::newRow("a NUL ends the text") << QByteArray("A\r\n\tB\r\nC\0\tD\r\n", 17) << QStringList({"A", ".B", "C"});
    }
    void readsTheShape()
    {
        QFETCH(QByteArray, bytes);
        AddressTree tree;
        QCOMPARE(AddressTreeText::readTreeText(tree, write(bytes)), AddressTreeText::ReadResult::Read);
        QTEST(shape(tree), "shape");
        for (const AddressNode *n : tree.nodes())
            QCOMPARE(n->icon(), 0);
    }

    void aLevelJumpFailsTheWholeRead()
    {
        AddressTree tree;
        tree.appendChild(nullptr, QStringLiteral("old"));
        QCOMPARE(AddressTreeText::readTreeText(tree, write("Favorites\r\n\tNews\r\n\t\t\tdeep\r\nHistory\r\n")),
                 AddressTreeText::ReadResult::LevelJump);
        QCOMPARE(tree.count(), 0);
        QCOMPARE(AddressTreeText::readTreeText(tree, m_dir.filePath(QStringLiteral("none.wam"))),
                 AddressTreeText::ReadResult::Missing);
    }

    void windows1252IsReadAndWrittenBackAsUtf8()
    {
        AddressTree tree;
        const QString path = write("Favorites\r\n\tNG \x95 3/4/24\r\n\t\thttp://caf\xe9.test/\r\nHistory\r\n");
        QCOMPARE(AddressTreeText::readTreeText(tree, path), AddressTreeText::ReadResult::Read);
        QCOMPARE(tree.nodeAt(1)->caption(), QStringLiteral("NG \u2022 3/4/24"));
        QCOMPARE(tree.nodeAt(2)->caption(), QStringLiteral("http://caf\u00e9.test/"));
        QVERIFY(AddressTreeText::writeTreeText(tree, path));
        QCOMPARE(TestFiles::read(path), QByteArray("Favorites\r\n\tNG \xe2\x80\xa2 3/4/24\r\n\t\thttp://caf\xc3\xa9.test/\r\nHistory\r\n"));
    }

    void aByteOrderMarkIsSkipped()
    {
        AddressTree tree;
        QCOMPARE(AddressTreeText::readTreeText(tree, write("\xEF\xBB\xBF" "Favorites\r\nHistory\r\n")),
                 AddressTreeText::ReadResult::Read);
        QCOMPARE(shape(tree), QStringList({"Favorites", "History"}));
    }

    void saveLoadSaveGivesTheSameBytes()
    {
        const QByteArray bytes("Favorites\r\n\tNews \r\n\t\thttp://a.test/?q=1&r=2#x\r\n\t\t\r\n\tEmpty\r\nHistory\r\n"
                               "\tMonday \xe2\x80\xa2 3/4/24\r\n\t\thttp://h.test/\r\n");
        const QString path = write(bytes);
        AddressTree tree;
        QCOMPARE(AddressTreeText::readTreeText(tree, path), AddressTreeText::ReadResult::Read);
        QVERIFY(AddressTreeText::writeTreeText(tree, path));
        QCOMPARE(TestFiles::read(path), bytes);
    }

    // Whatever the reader takes in, the writer gives back so that it reads
    // as the same tree, and written again it is the same bytes.
    void whatIsReadIsWrittenBackToReadTheSame_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("shape");
        QTest::newRow("a control character in a caption after a lone CR")
            << QByteArray("History\rHi\x1Estory") << QStringList({"History", "History"});
        QTest::newRow("control characters")
            << QByteArray("Favorites\r\n\tNe\x01ws\x7f\r\n\t\t\x1b[31mhttp://a.test/\x07\r\nHistory\r\n")
            << QStringList({"Favorites", ".News", "..[31mhttp://a.test/", "History"});
        QTest::newRow("a control character before blanks")
            << QByteArray("Favorites\r\n\t\x1E  News\r\n") << QStringList({"Favorites", ".News"});
        QTest::newRow("lone CRs and LFs")
            << QByteArray("Favorites\r\tA\n\t\tb\r\r\nHistory\n") << QStringList({"Favorites", ".A", "..b", "", "History"});
        QTest::newRow("two byte order marks")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "Favorites\r\nHistory\r\n") << QStringList({QChar(0xFEFF) + QStringLiteral("Favorites"), "History"});
        QTest::newRow("TABs inside and at the end")
            << QByteArray("Favorites\r\n\tA\tB\t\r\n") << QStringList({"Favorites", ".AB"});
        QTest::newRow("line and paragraph separators, NEL")
            << QByteArray("Favorites\r\n\tA\xe2\x80\xa8" "B\xe2\x80\xa9" "C\xc2\x85" "D\r\n") << QStringList({"Favorites", ".ABCD"});
        QTest::newRow("Windows-1252 with its unassigned bytes")
            << QByteArray("Favorites\r\n\tNG \x95 \x81\x8d\x8f\x90\x9d" "caf\xe9\r\n") << QStringList({"Favorites", ".NG \u2022 caf\u00e9"});
        QTest::newRow("empty captions")
            << QByteArray("\r\n\t\r\n\t\t\r\n\t\r\n") << QStringList({"", ".", "..", "."});
        QTest::newRow("blanks only")
            << QByteArray("Favorites\r\n\t\r\n\t \r\n") << QStringList({"Favorites", ".", ".."});
        const QByteArray longCaption(300000, 'x');
        QTest::newRow("a very long caption")
            << QByteArray("Favorites\r\n\t" + longCaption + "\r\n") << QStringList({"Favorites", "." + QString::fromLatin1(longCaption)});
    }
    void whatIsReadIsWrittenBackToReadTheSame()
    {
        QFETCH(QByteArray, bytes);
        const QString path = write(bytes);
        AddressTree tree;
        QCOMPARE(AddressTreeText::readTreeText(tree, path), AddressTreeText::ReadResult::Read);
        QTEST(shape(tree), "shape");
        QVERIFY(AddressTreeText::writeTreeText(tree, path));
        const QByteArray written = TestFiles::read(path);
        AddressTree back;
        QCOMPARE(AddressTreeText::readTreeText(back, path), AddressTreeText::ReadResult::Read);
        QTEST(shape(back), "shape");
        QVERIFY(AddressTreeText::writeTreeText(back, path));
        QCOMPARE(TestFiles::read(path), written);
    }

    void captionsCannotChangeTheShape_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("stored");
        QTest::newRow("leading blanks") << "  News" << "News";
        QTest::newRow("leading TAB") << "\tNews" << "News";
        QTest::newRow("line breaks inside") << "http://a.test/\r\nHistory" << "http://a.test/History";
        QTest::newRow("trailing blanks stay") << "News  " << "News  ";
        QTest::newRow("blanks inside stay") << "World News" << "World News";
    }
    void captionsCannotChangeTheShape()
    {
        QFETCH(QString, caption);
        AddressTree tree;
        AddressNode *root = tree.appendChild(nullptr, QStringLiteral("Favorites"));
        tree.appendChild(root, caption);
        tree.appendChild(nullptr, QStringLiteral("History"));
        const QString path = m_dir.filePath(QStringLiteral("shape.wam"));
        QVERIFY(AddressTreeText::writeTreeText(tree, path));
        AddressTree back;
        QCOMPARE(AddressTreeText::readTreeText(back, path), AddressTreeText::ReadResult::Read);
        QCOMPARE(back.count(), 3);
        QTEST(back.nodeAt(1)->caption(), "stored");
        QCOMPARE(back.nodeAt(1)->depth(), 1);
    }

    void classifying_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("bothRoots");
        QTest::addColumn<QList<int>>("icons");
        QTest::newRow("Favorites first")
            << QStringList({"Favorites", "\tNews", "\t\thttp://a.test/", "History"}) << true << QList<int>{0, 4, 6, 2};
        QTest::newRow("History first")
            << QStringList({"History", "\tMonday", "Favorites"}) << true << QList<int>{2, 4, 0};
        QTest::newRow("favorites in lower case")
            << QStringList({"favorites", "\tNews", "History"}) << false << QList<int>{-1, 4, 2};
        QTest::newRow("an extra root counts as Favorites")
            << QStringList({"History", "\tMonday", "Links"}) << true << QList<int>{2, 4, 0};
        QTest::newRow("depth 3 keeps 0/0")
            << QStringList({"Favorites", "\tNews", "\t\ta", "\t\t\tb", "History"}) << true << QList<int>{0, 4, 6, 0, 2};
        QTest::newRow("a root caption deeper down is a group")
            << QStringList({"Favorites", "\tHistory"}) << false << QList<int>{0, 4};
        QTest::newRow("one line") << QStringList({"Favorites"}) << false << QList<int>{0};
    }
    void classifying()
    {
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, icons);
        AddressTree tree;
        QVERIFY(AddressTreeText::parseLines(tree, lines));
        QTEST(AddressTreeText::classifyLoadedTree(tree), "bothRoots");
        if (lines.size() < 2)
            return; // nothing is classified
        QList<int> got;
        for (const AddressNode *n : tree.nodes())
            got << n->icon();
        QCOMPARE(got, icons);
        // The selected icon is the next image, for the nodes the rules name.
        QCOMPARE(tree.nodeAt(1)->selectedIcon(), tree.nodeAt(1)->icon() + 1);
    }
};

QTEST_GUILESS_MAIN(TestAddressTreeText)
#include "test_addresstreetext.moc"
