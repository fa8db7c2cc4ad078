// --print against a real print service the test starts itself: its own
// cupsd with its own configuration, spool and socket, never the machine's
// printers. A Letter printer that prints both sides, an A4 printer that
// prints one, and none at all; the document each job was sent with is read
// back from the private spool with poppler's tools. The window's print
// dialog is shown on the same private service.
#include "brochure/BrochureProduct.h"
#include "tests/support/FakePrompts.h"
#include "ui/BrochurePrinter.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kPdfDrivers = QStringLiteral("/usr/share/ppd/cups-pdf");

// Distinct values, none of them the example company's.
const char* const kFieldValues[lw::kFieldCount] = {"Wrenfield Bakery",
                                                   "Halloway",
                                                   "Suite 12",
                                                   "555-0101",
                                                   "555-0102",
                                                   "hello@wrenfield.example",
                                                   "9 Mill Lane",
                                                   "Fresh every morning",
                                                   "OR",
                                                   "97201"};

// The two-sided choice a PDF printer's description lacks, as a duplex
// printer's description states it.
const QByteArray kDuplexChoice = "*OpenUI *Duplex/2-Sided Printing: PickOne\n"
                                 "*OrderDependency: 10 DocumentSetup *Duplex\n"
                                 "*DefaultDuplex: None\n"
                                 "*Duplex None/Off: \"<</Duplex false>>setpagedevice\"\n"
                                 "*Duplex DuplexNoTumble/Long Edge: \"<</Duplex true/Tumble "
                                 "false>>setpagedevice\"\n"
                                 "*Duplex DuplexTumble/Short Edge: \"<</Duplex true/Tumble "
                                 "true>>setpagedevice\"\n"
                                 "*CloseUI: *Duplex\n";

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString readWith(const QString& tool, const QStringList& arguments) {
    QProcess reader;
    reader.start(tool, arguments);
    reader.waitForFinished(30000);
    return QString::fromUtf8(reader.readAllStandardOutput());
}

} // namespace

class PrintServiceTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QProcess m_cupsd;

    QString path(const QString& name) const { return m_home.filePath(name); }
    QString socket() const { return path(QStringLiteral("cups.sock")); }

    QProcessEnvironment environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "PRINTER",
                                 "LPDEST", "LEAFWRIGHT_TESTING"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("CUPS_SERVER"), socket());
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), path(QStringLiteral("cache")));
        environment.insert(QStringLiteral("TEMP"), path(QStringLiteral("temp")));
        return environment;
    }

    // Exit status of a tool or the program, with what it wrote.
    int run(const QString& program, const QStringList& arguments, QString* output = nullptr,
            QString* errors = nullptr) {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.setWorkingDirectory(m_home.path());
        process.start(program, arguments);
        if (!process.waitForFinished(180000))
            return -1;
        if (output)
            *output = QString::fromUtf8(process.readAllStandardOutput());
        if (errors)
            *errors = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    int print(const QStringList& arguments, QString* output, QString* errors) {
        return run(QCoreApplication::applicationDirPath() + QStringLiteral("/leafwright"),
                   QStringList{QStringLiteral("--print"), QStringLiteral("--fields"),
                               path(QStringLiteral("fields.ini"))} +
                       arguments,
                   output, errors);
    }

    void addPrinter(const QString& name, const QString& description) {
        QString errors;
        QCOMPARE(run(QStringLiteral("lpadmin"),
                     {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                      QStringLiteral("file:///dev/null"), QStringLiteral("-P"), description},
                     nullptr, &errors),
                 0);
    }

private slots:
    void initTestCase() {
        const QString cupsd = QStandardPaths::findExecutable(
            QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
        if (cupsd.isEmpty())
            QSKIP("cupsd is not installed (Debian package cups): the print service cannot be "
                  "started");
        QVERIFY2(QFile::exists(kPdfDrivers + QStringLiteral("/CUPS-PDF_opt.ppd")),
                 "the PDF printer's description is missing: install printer-driver-cups-pdf");
        for (const char* folder : {"conf", "spool", "tmp", "cache", "state", "log", "temp"})
            QVERIFY(QDir().mkpath(path(QString::fromLatin1(folder))));
        const QByteArray home = QFile::encodeName(m_home.path());
        QVERIFY(writeFile(path(QStringLiteral("conf/cupsd.conf")),
                          "Listen " + QFile::encodeName(socket()) +
                              "\nLogLevel warn\nErrorPolicy abort-job\nPreserveJobFiles Yes\n"
                              "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"));
        QVERIFY(writeFile(path(QStringLiteral("conf/cups-files.conf")),
                          "ServerRoot " + home + "/conf\nRequestRoot " + home + "/spool\nTempDir " +
                              home + "/tmp\nCacheDir " + home + "/cache\nStateDir " + home +
                              "/state\nErrorLog " + home + "/log/error_log\nAccessLog " + home +
                              "/log/access_log\nPageLog " + home +
                              "/log/page_log\nFileDevice Yes\n"));
        // This process's own printing (the window's dialog) asks it too.
        qputenv("CUPS_SERVER", QFile::encodeName(socket()));
        m_cupsd.setProcessEnvironment(environment());
        m_cupsd.setProcessChannelMode(QProcess::ForwardedChannels);
        m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"),
                              path(QStringLiteral("conf/cupsd.conf")), QStringLiteral("-s"),
                              path(QStringLiteral("conf/cups-files.conf"))});
        QVERIFY(m_cupsd.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket()), 10000);

        QByteArray letterDuplex = readFile(kPdfDrivers + QStringLiteral("/CUPS-PDF_opt.ppd"));
        letterDuplex.replace("*DefaultPageSize: A4", "*DefaultPageSize: Letter");
        QVERIFY(writeFile(path(QStringLiteral("duplex.ppd")), letterDuplex + kDuplexChoice));
        addPrinter(QStringLiteral("duplex"), path(QStringLiteral("duplex.ppd")));
        addPrinter(QStringLiteral("a4-one-side"),
                   kPdfDrivers + QStringLiteral("/CUPS-PDF_noopt.ppd"));

        QByteArray fields = "[" + QByteArray(lw::kSettingsSection) + "]\n";
        for (int i = 0; i < lw::kFieldCount; ++i)
            fields += lw::kPlaceholderTable[std::size_t(i)].key + QByteArray("=") +
                      kFieldValues[i] + "\n";
        QVERIFY(writeFile(path(QStringLiteral("fields.ini")), fields));
    }

    void cleanupTestCase() {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            if (!m_cupsd.waitForFinished(10000))
                m_cupsd.kill();
        }
    }

    void printsOneJob_data() {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QStringList>("attributes");
        QTest::newRow("two-sided Letter")
            << QStringLiteral("duplex")
            << QStringList{QStringLiteral("two-sided-short-edge"), QStringLiteral("Letter")};
        QTest::newRow("one-sided A4, fitted")
            << QStringLiteral("a4-one-side")
            << QStringList{QStringLiteral("one-sided"), QStringLiteral("a4"),
                           QStringLiteral("fit-to-page")};
    }
    void printsOneJob() {
        QFETCH(QString, printer);
        QFETCH(QStringList, attributes);
        QString output;
        QString errors;
        QCOMPARE(print({QStringLiteral("--printer"), printer, QStringLiteral("--copies"),
                        QStringLiteral("2")},
                       &output, &errors),
                 0);
        bool number = false;
        const int job = output.trimmed().toInt(&number);
        QVERIFY2(number && job > 0, qPrintable(output + errors));

        // The job as the print service holds it: the options asked for, and
        // the one document it was sent with.
        const QString spool = path(QStringLiteral("spool/"));
        const QString control = spool + QStringLiteral("c%1").arg(job, 5, 10, QLatin1Char('0'));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(control), 5000);
        const QByteArray held = readFile(control);
        for (const QString& attribute : attributes)
            QVERIFY2(held.contains(attribute.toUtf8()), qPrintable(attribute));
        QVERIFY(held.contains("copies"));
        const QString sent = spool + QStringLiteral("d%1-001").arg(job, 5, 10, QLatin1Char('0'));
        QVERIFY(QFile::exists(sent));
        QVERIFY(!QFile::exists(sent.chopped(1) + QLatin1Char('2')));

        const QString info = readWith(QStringLiteral("pdfinfo"), {sent});
        QVERIFY2(info.contains(QStringLiteral("Pages:           2")), qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("792 x 612 pts (letter)")), qPrintable(info));
        const QString text =
            readWith(QStringLiteral("pdftotext"), {sent, QStringLiteral("-")}).simplified();
        for (const char* value : kFieldValues)
            QVERIFY2(text.contains(QString::fromUtf8(value)), value);
    }

    // The print dialog on a printer whose own default is A4 but which has
    // Letter: the brochure's Letter stays chosen, so nothing is shrunk, and
    // is what its Properties show; other paper chosen there is kept.
    void dialogKeepsLetterPaper() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(QStringLiteral("a4-one-side"));
        lw::BrochurePrinter::presetPrinter(printer, QStringLiteral("Brochure"));
        {
            QPrintDialog dialog(&printer);
            lw::BrochurePrinter::keepLetterPaper(dialog);
            dialog.open();
            QCoreApplication::processEvents();
            dialog.accept();
        }
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::Letter);
        QCOMPARE(lw::BrochurePrinter::requestFrom(printer).paper, QByteArray());

        QPrintDialog dialog(&printer);
        lw::BrochurePrinter::keepLetterPaper(dialog);
        dialog.open();
        QPageSize::PageSizeId shown = QPageSize::Custom;
        QTimer::singleShot(500, [&shown] {
            QWidget* properties = QApplication::activeModalWidget();
            QComboBox* sizes =
                properties ? properties->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"))
                           : nullptr;
            if (!sizes)
                return;
            shown = sizes->currentData().value<QPageSize>().id();
            for (int i = 0; i < sizes->count(); ++i)
                if (sizes->itemData(i).value<QPageSize>().id() == QPageSize::A4)
                    sizes->setCurrentIndex(i);
            QMetaObject::invokeMethod(properties, "accept");
        });
        dialog.findChild<QPushButton*>(QStringLiteral("properties"))->click();
        dialog.accept();
        QCOMPARE(shown, QPageSize::Letter);
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    }

    // Each refusal says why and what to do, before any office starts.
    void refusesWithReason() {
        QString errors;
        QCOMPARE(print({QStringLiteral("--printer"), QStringLiteral("nowhere")}, nullptr, &errors),
                 1);
        QVERIFY2(errors.contains(QStringLiteral("There is no printer called \"nowhere\". The "
                                                "printers are: a4-one-side, duplex.")),
                 qPrintable(errors));

        for (const QString& printer : {QStringLiteral("duplex"), QStringLiteral("a4-one-side")})
            QCOMPARE(run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), printer}), 0);
        QCOMPARE(print({}, nullptr, &errors), 1);
        QVERIFY2(errors.startsWith(QStringLiteral("leafwright: No printer is set up.")),
                 qPrintable(errors));
        QCOMPARE(errors.count(QLatin1Char('\n')), 1);
        // In the window: a warning of its own, not an "Application Error".
        {
            lw::test::FakePrompts prompts;
            lw::BrochurePrinter(nullptr).print(QStringLiteral("brochure.doc"),
                                               QStringLiteral("Brochure"));
            QCOMPARE(prompts.errors, QStringList());
            QVERIFY2(prompts.messages.value(0).startsWith(QStringLiteral("No printer is set up.")),
                     qPrintable(prompts.messages.join(QLatin1Char('\n'))));
        }

        cleanupTestCase();
        QCOMPARE(print({}, nullptr, &errors), 1);
        QVERIFY2(errors.contains(QStringLiteral("The print service (CUPS) is not running.")),
                 qPrintable(errors));
    }
};

QTEST_MAIN(PrintServiceTest)
#include "tst_print_service.moc"
