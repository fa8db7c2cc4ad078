#include "shell/AppInfo.h"
#include "shell/DataFiles.h"
#include "shell/Failure.h"
#include "shell/FileRoutines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lw;

class ShellRoutinesTest : public QObject {
    Q_OBJECT
private slots:
    void shortTitleDropsTheLastWordUntilShortEnough() {
        QCOMPARE(shortTitle(QStringLiteral("Leafwright")), QStringLiteral("Leafwright"));
        QCOMPARE(shortTitle(QStringLiteral("Leafwright Brochure Maker")),
                 QStringLiteral("Leafwright Brochure"));
        const QString longTitle =
            QStringLiteral("Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa");
        const QString cut = shortTitle(longTitle);
        QVERIFY(cut.size() <= 40);
        QCOMPARE(cut, QStringLiteral("Alpha Beta Gamma Delta Epsilon Zeta Eta"));
        QCOMPARE(shortTitle(QString(50, QLatin1Char('x'))), QString(50, QLatin1Char('x')));
    }

    void pathExistsAndQuietDelete() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.txt"));
        QVERIFY(!PathExists(file));
        QVERIFY(!PathExists(QString()));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(PathExists(file));
        QVERIFY(PathExists(dir.path()));
        DeleteFileQuietly(file);
        QVERIFY(!PathExists(file));
        DeleteFileQuietly(file);       // missing: no failure
        DeleteFileQuietly(dir.path()); // a folder: no failure, still there
        DeleteFileQuietly(QString());
        QVERIFY(PathExists(dir.path()));
        QVERIFY_THROWS_EXCEPTION(Failure, DeleteFileOrFail(file));
    }

    // Laid out as an install under some prefix: the data folder is found
    // from the program's; a file beside the program comes first.
    void dataFilesBesideTheProgramOrInTheInstalledDataFolder() {
        QTemporaryDir prefix;
        const QString program = prefix.filePath(QStringLiteral(LEAFWRIGHT_PROGRAM_DIR));
        const QString data = prefix.filePath(QStringLiteral(LEAFWRIGHT_DATA_DIR));
        QVERIFY(QDir().mkpath(program));
        QVERIFY(QDir().mkpath(data));
        setProgramFolderForTesting(program);
        const QString beside = program + QStringLiteral("/HAND-M.CUR");
        const QString installed = data + QStringLiteral("/HAND-M.CUR");
        QCOMPARE(installedDataFolder(), data);
        QCOMPARE(dataFile(QStringLiteral("HAND-M.CUR")), beside); // neither: as before
        QVERIFY(QFile(installed).open(QIODevice::WriteOnly));
        QCOMPARE(dataFile(QStringLiteral("HAND-M.CUR")), installed);
        QVERIFY(QFile(beside).open(QIODevice::WriteOnly));
        QCOMPARE(dataFile(QStringLiteral("HAND-M.CUR")), beside);
        setProgramFolderForTesting(QString());
    }
};

QTEST_MAIN(ShellRoutinesTest)
#include "tst_shell_routines.moc"
