#include "platform/core/Paths.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dataFolderBesideTheProgram_data();
    void dataFolderBesideTheProgram();
    void thisBuildsProgramFindsThisBuildsData();
};

void TestPaths::dataFolderBesideTheProgram_data()
{
    QTest::addColumn<QStringList>("folders"); // made under an empty root
    QTest::addColumn<QString>("program");     // the executable's folder
    QTest::addColumn<QString>("data");        // "" for none
    QTest::newRow("installed under a prefix") << QStringList{"usr/bin", "usr/share/kontorwerk"} << "usr/bin"
                                              << "usr/share/kontorwerk";
    QTest::newRow("in the build folder") << QStringList{"build/src/app", "build/share/kontorwerk"} << "build/src/app"
                                         << "build/share/kontorwerk";
    QTest::newRow("beside the program") << QStringList{"app/share/kontorwerk"} << "app" << "app/share/kontorwerk";
    QTest::newRow("beside comes before the prefix")
        << QStringList{"opt/bin/share/kontorwerk", "opt/share/kontorwerk"} << "opt/bin" << "opt/bin/share/kontorwerk";
    QTest::newRow("the prefix comes before two levels up")
        << QStringList{"a/b/bin", "a/b/share/kontorwerk", "a/share/kontorwerk"} << "a/b/bin" << "a/b/share/kontorwerk";
    QTest::newRow("no data anywhere") << QStringList{"lonely/bin"} << "lonely/bin" << "";
    QTest::newRow("another program's share") << QStringList{"usr/bin", "usr/share/anders"} << "usr/bin" << "";
}

void TestPaths::dataFolderBesideTheProgram()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, program);
    QFETCH(QString, data);
    QTemporaryDir root;
    for (const QString &folder : folders)
        QVERIFY(QDir(root.path()).mkpath(folder));
    const QString expected = data.isEmpty() ? QString() : root.filePath(data);
    QCOMPARE(kw::paths::dataFolderBeside(root.filePath(program)), expected);
}

// scripts/run and a developer start build/src/app/kontorwerk without KONTORWERK_DATA.
void TestPaths::thisBuildsProgramFindsThisBuildsData()
{
    QCOMPARE(kw::paths::dataFolderBeside(QStringLiteral(KW_APP_DIR)), QDir::cleanPath(QStringLiteral(KW_DATA_DIR)));
}

QTEST_MAIN(TestPaths)
#include "tst_paths.moc"
