// What the program finds in a shared working folder is not its own: a file or
// link planted as template.dot is neither used nor changed, and what a killed
// instance left there is removed by the next start, while the files of an
// instance that still runs stay. Real program, real offices.
#include "brochure/BrochureProduct.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/OfficeProcesses.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "wordgen/EngineModule.h"
#include "wordgen/ObjectRegistry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace lw;

namespace {

constexpr auto kInstanceOption = "--hold-a-working-document";

QString programPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/leafwright");
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray utf16(const char* text) {
    const QString string = QString::fromLatin1(text);
    return QByteArray(reinterpret_cast<const char*>(string.utf16()), string.size() * 2);
}

// The environment of one instance: the shared working folder, settings, data
// and office profiles of its own.
QProcessEnvironment instanceEnvironment(const QString& shared, const QString& own) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TEMP"), shared);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), own + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), own + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), own + QStringLiteral("/cache"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("LEAFWRIGHT_TESTING"));
    return environment;
}

// An instance of the program in the middle of its work: the preview open on
// its working document, and that document open in its office, as when the
// office is busy with it. Says the document's path, then waits to be killed.
int holdAWorkingDocument(int argc, char* argv[]) {
    QApplication app(argc, argv);
    test::FakePrompts prompts;
    if (!word::loadEngineModules().isEmpty())
        return 1;
    Form1 form;
    form.Form_Load();
    form.PushButton4_Click();
    form.PushButton6_Click();
    const QString document = Form2::instance().mWordFile;
    const auto office = word::CreateObject(QString::fromLatin1(word::kWordApplicationClass));
    const auto open = office->Documents()->Open(document, false);
    if (!prompts.errors.isEmpty() || !QFile::exists(document)) {
        std::fprintf(stderr, "%s\n", qPrintable(prompts.errors.join(QLatin1Char('\n'))));
        return 1;
    }
    std::printf("%s\n", QFile::encodeName(document).constData());
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

// One instance started by the test; killed with it at the latest.
struct Instance {
    QProcess process;
    QString document;
    ~Instance() {
        process.kill();
        process.waitForFinished(5000);
    }
    QString lockFile() const {
        return QFileInfo(document).path() + QStringLiteral("/.~lock.") +
               QFileInfo(document).fileName() + QLatin1Char('#');
    }
    QStringList sockets() const {
        return QDir(QStringLiteral("/tmp"))
            .entryList({QStringLiteral("OSL_PIPE_%1_leafwright-%2-*")
                            .arg(getuid())
                            .arg(process.processId())},
                       QDir::System);
    }
};

} // namespace

class ForeignFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString shared() const { return m_dir.path() + QStringLiteral("/shared"); }

    void startInstance(Instance& instance, const QString& own) {
        instance.process.setProcessEnvironment(instanceEnvironment(shared(), own));
        instance.process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        instance.process.start(QCoreApplication::applicationFilePath(),
                               {QString::fromLatin1(kInstanceOption)});
    }
    bool waitForDocument(Instance& instance) {
        if (!test::waitFor(
                [&] {
                    instance.process.waitForReadyRead(50);
                    return instance.process.canReadLine() ||
                           instance.process.state() == QProcess::NotRunning;
                },
                120000))
            return false;
        instance.document = QFile::decodeName(instance.process.readLine().trimmed());
        const bool ready = QFile::exists(instance.document) && QFile::exists(instance.lockFile()) &&
                           instance.sockets().size() == 1;
        if (!ready)
            qWarning() << "instance not ready:" << instance.document << instance.sockets()
                       << QDir(shared()).entryList(QDir::AllEntries | QDir::Hidden);
        return ready;
    }

private slots:
    void init() {
        QDir(shared()).removeRecursively();
        QVERIFY(QDir().mkpath(shared()));
    }

    void plantedTemplateIsNeitherUsedNorChanged_data() {
        QTest::addColumn<bool>("link");
        QTest::newRow("a user's own file") << false;
        QTest::newRow("a link to another file") << true;
    }
    void plantedTemplateIsNeitherUsedNorChanged() {
        QFETCH(bool, link);
        const QByteArray planted("CALL 555-0000 FOR YOUR REFUND\n");
        const QString victim = m_dir.path() + QStringLiteral("/victim.txt");
        const QString templatePath = shared() + QStringLiteral("/template.dot");
        QFile file(link ? victim : templatePath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(planted);
        file.close();
        if (link)
            QVERIFY(QFile::link(victim, templatePath));

        QProcess run;
        run.setProcessEnvironment(instanceEnvironment(shared(), m_dir.path()));
        const QString output = m_dir.path() + QStringLiteral("/brochure.doc");
        const QString fields = m_dir.path() + QStringLiteral("/fields.ini");
        QFile fieldsFile(fields);
        QVERIFY(fieldsFile.open(QIODevice::WriteOnly));
        fieldsFile.write("[Leafwright]\nText1_0=Birch & Pine\n");
        fieldsFile.close();
        run.start(programPath(), {QStringLiteral("--output"), output, QStringLiteral("--fields"),
                                  fields, QStringLiteral("--overwrite")});
        QVERIFY(run.waitForFinished(120000));
        QCOMPARE(run.exitCode(), 0);
        const QByteArray brochure = readFile(output);
        QVERIFY(brochure.contains(utf16("Contact Phone"))); // the shipped design's styles
        QVERIFY(!brochure.contains("REFUND") && !brochure.contains(utf16("REFUND")));
        QCOMPARE(readFile(templatePath), planted);
        QCOMPARE(QFileInfo(templatePath).isSymLink(), link);
        QCOMPARE(QDir(shared()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                          QDir::NoDotAndDotDot),
                 QStringList({QStringLiteral("template.dot")}));
    }

    void killedInstanceIsSweptAndALiveOneKept() {
        const QStringList socketsBefore = test::handOverSockets();
        Instance killed;
        Instance live;
        startInstance(killed, m_dir.path() + QStringLiteral("/killed"));
        startInstance(live, m_dir.path() + QStringLiteral("/live"));
        QVERIFY(waitForDocument(killed));
        QVERIFY(waitForDocument(live));
        // Others sharing the folder cannot read the company's data.
        const QFile::Permissions others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(QFile::permissions(live.document) & others, QFile::Permissions());
        const QStringList killedSocket = killed.sockets();
        ::kill(pid_t(killed.process.processId()), SIGKILL);
        QVERIFY(killed.process.waitForFinished(5000));
        // Its office goes with it and can remove nothing either.
        QVERIFY(QFile::exists(killed.document) && QFile::exists(killed.lockFile()));
        QCOMPARE(test::handOverSocketsSince(socketsBefore).size(), 2);

        QProcess next;
        QProcessEnvironment environment =
            instanceEnvironment(shared(), m_dir.path() + QStringLiteral("/next"));
        environment.insert(QStringLiteral("LEAFWRIGHT_EXIT_WHEN_READY"), QStringLiteral("1"));
        next.setProcessEnvironment(environment);
        next.start(programPath(), QStringList());
        QVERIFY(next.waitForFinished(120000));
        QCOMPARE(next.exitCode(), 0);

        QVERIFY(!QFile::exists(killed.document));
        QVERIFY(!QFile::exists(killed.lockFile()));
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/") + killedSocket.value(0)));
        QVERIFY(QFile::exists(live.document));
        QVERIFY(QFile::exists(live.lockFile()));
        QCOMPARE(live.sockets().size(), 1);
        const QStringList liveHandOver = test::handOverSocketsSince(socketsBefore);
        QCOMPARE(liveHandOver.size(), 1);
        const QStringList sharedEntries = QDir(shared()).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        // The live instance's document, its lock and its record; nothing else.
        QCOMPARE(sharedEntries.size(), 3);
        const QStringList liveSocket = live.sockets();
        live.process.kill();
        live.process.waitForFinished(5000);
        QTest::qWait(500);
        for (const QString& name : liveSocket + liveHandOver)
            QFile::remove(QStringLiteral("/tmp/") + name);
    }
};

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], kInstanceOption) == 0)
        return holdAWorkingDocument(argc, argv);
    QCoreApplication app(argc, argv);
    ForeignFilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_foreign_files.moc"
