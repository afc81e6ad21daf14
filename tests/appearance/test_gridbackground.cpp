#include "appearance/gridbackground.h"

#include "support/smalldisk.h"
#include "../support/testfiles.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Storing a picked picture as the grid's background.
class TestGridBackground : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString dataFolder() const { return m_dir.filePath(QStringLiteral("data/")); }

    QString picture(const QString &name, QColor colour) const
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = m_dir.filePath(name);
        return image.save(path, "BMP") ? path : QString();
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void storedPictureLoadsBack()
    {
        const QString source = picture(QStringLiteral("pick.bmp"), Qt::red);
        QVERIFY(!source.isEmpty());
        QString why;
        QVERIFY2(GridBackground::store(source, dataFolder(), &why), qPrintable(why));
        const QImage stored = GridBackground::load(dataFolder());
        QCOMPARE(stored.size(), QSize(40, 30));
        QCOMPARE(stored.pixelColor(5, 5), QColor(Qt::red));
        QCOMPARE(QDir(dataFolder() + QStringLiteral("Aesthetic Profiles")).entryList(QDir::Files),
                 QStringList{"gbi_active.bmp"});
    }

    // A write that fails leaves the old background whole and says why.
    void failedWriteKeepsTheOldPicture_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("message");
        QTest::newRow("read-only disk") << "read-only"
                                        << "Could not save the grid background image: the folder is on a read-only "
                                           "disk. The earlier file is kept.";
        QTest::newRow("a folder in its place")
            << "folder" << "Could not save the grid background image: a folder has that name. Nothing was written.";
    }
    void failedWriteKeepsTheOldPicture()
    {
        QFETCH(QString, setting);
        QFETCH(QString, message);
        const QString old = picture(QStringLiteral("old.bmp"), Qt::blue);
        const QString pick = picture(QStringLiteral("pick.bmp"), Qt::red);
        const QString folder = dataFolder() + QStringLiteral("Aesthetic Profiles");
        const QString target = GridBackground::filePath(dataFolder());
        QVERIFY(QDir().mkpath(folder));
        std::unique_ptr<SmallDisk> disk;
        if (setting == QLatin1String("read-only")) {
            disk = std::make_unique<SmallDisk>(folder);
            if (!disk->available())
                QSKIP("A small tmpfs cannot be mounted here (needs root).");
            QVERIFY(GridBackground::store(old, dataFolder()));
            QVERIFY(disk->setReadOnly(true));
        } else {
            QVERIFY(QDir().mkpath(target));
        }
        const QByteArray before = TestFiles::read(target);
        QString why;
        QVERIFY(!GridBackground::store(pick, dataFolder(), &why));
        QCOMPARE(why, message);
        QCOMPARE(TestFiles::read(target), before);
    }
};

QTEST_GUILESS_MAIN(TestGridBackground)
#include "test_gridbackground.moc"
