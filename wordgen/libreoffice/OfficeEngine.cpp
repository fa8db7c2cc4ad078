#include "wordgen/libreoffice/OfficeEngine.h"

#include "wordgen/libreoffice/OfficeWarmUp.h"

#include "wordgen/WordObjects.h"
#include "wordgen/libreoffice/MadePaths.h"
#include "wordgen/libreoffice/ProfileVersion.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <unistd.h>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {

namespace {

// The office installation the module was built against.
const QString kProgramFolder = QStringLiteral(LEAFWRIGHT_OFFICE_PROGRAM_DIR);
constexpr int kStartLimitMs = 30000;
// soffice.bin asks for a restart after it set up a new profile.
constexpr int kRestartRequested = 81;

// The local UNO runtime, made once and kept to the end: tearing it down at
// exit could wait on bridge threads.
Reference<uno::XComponentContext> localContext() {
    static Reference<uno::XComponentContext>* context = [] {
        // The office's own settings of the UNO runtime, as its program uses.
        rtl::Bootstrap::set(
            "URE_BOOTSTRAP",
            toUno(QStringLiteral("vnd.sun.star.pathname:%1/fundamentalrc").arg(kProgramFolder)));
        return new Reference<uno::XComponentContext>(cppu::defaultBootstrap_InitialComponentContext(
            toUno(QStringLiteral("file://%1/unorc").arg(kProgramFolder))));
    }();
    return *context;
}

// The resident size of a process in KiB, 0 when it cannot be read.
long residentKiB(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (pid <= 0 || !status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

QString uniquePipeName() {
    static int counter = 0;
    return QStringLiteral("leafwright-%1-%2-%3")
        .arg(getpid())
        .arg(++counter)
        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

} // namespace

OfficeEngine& OfficeEngine::instance() {
    // Destroyed with the program's statics, which stops an office the
    // program did not stop itself.
    static OfficeEngine engine;
    return engine;
}

OfficeEngine::OfficeEngine() : m_watchdog([this] { m_process.kill(); }) {}

OfficeEngine::~OfficeEngine() {
    stop(StopReason::ProgramExit);
}

bool OfficeEngine::isCurrent(std::uint64_t generation) const {
    return m_running && generation == m_generation;
}

void OfficeEngine::ensureRunning() {
    if (m_running && m_process.isRunning() && isResponsive()) {
        if (m_openSessions > 0 || !m_recycling.replaceBeforeSession(residentKiB(m_process.pid())))
            return;
        stop(StopReason::Recycle);
    } else {
        stop(StopReason::OfficeLost);
    }
    startOffice();
}

bool OfficeEngine::isResponsive() {
    CallWatchdog::Scope scope(m_watchdog, CallWatchdog::callLimit());
    try {
        m_connection->desktop->getCurrentComponent();
        return true;
    } catch (const uno::Exception&) {
        return false;
    }
}

void OfficeEngine::startOffice() {
    const QString program = kProgramFolder + QStringLiteral("/soffice.bin");
    if (!QFileInfo(program).isExecutable())
        throw AutomationError(
            QStringLiteral("The word-processing engine is not installed (%1 is missing)")
                .arg(program));
    if (!m_profile) {
        m_profile = OfficeProfile::acquire();
        recordPathToMake(m_profile->singleInstanceSocket());
    }
    const QString pipeName = uniquePipeName();
    recordPathToMake(pipeSocketPath(pipeName));
    const QStringList arguments{QStringLiteral("--headless"),
                                QStringLiteral("--invisible"),
                                QStringLiteral("--norestore"),
                                QStringLiteral("--nologo"),
                                QStringLiteral("--nodefault"),
                                QStringLiteral("--nolockcheck"),
                                QStringLiteral("--nofirststartwizard"),
                                QStringLiteral("-env:UserInstallation=") + m_profile->url(),
                                QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipeName)};
    // Its temporary files in a folder of its profile, not in the program's
    // working folder: an office that is killed cannot remove them, and the
    // folder is emptied before each start on the profile.
    const QString temporaryFolder = m_profile->folder() + QStringLiteral("/tmp");
    QDir(temporaryFolder).removeRecursively();
    QDir().mkpath(temporaryFolder);
    static const QString version = installedOfficeVersion(kProgramFolder);
    recordOfficeVersion(m_profile->folder(), version);
    // What the office's launcher script sets up for it.
    const QStringList environment{
        QStringLiteral("SAL_ENABLE_FILE_LOCKING=1"), QStringLiteral("TMPDIR=") + temporaryFolder,
        QStringLiteral("TEMP=") + temporaryFolder, QStringLiteral("TMP=") + temporaryFolder};

    for (int attempt = 0;; ++attempt) {
        m_process.start(program, arguments, environment);
        m_pipeName = pipeName;
        try {
            connect(pipeName);
            break;
        } catch (const AutomationError&) {
            const bool restart = m_process.exitCode() == kRestartRequested && attempt < 2;
            stop(StopReason::OfficeLost);
            if (!restart)
                throw;
        }
    }
    configure();
    {
        CallWatchdog::Scope scope(m_watchdog, CallWatchdog::callLimit());
        warmUpOffice(m_connection->desktop);
    }
    ++m_generation;
    m_running = true;
    m_recycling.officeStarted();
    prepareTemplateWhenIdle();
}

void OfficeEngine::prepareTemplateWhenIdle() {
    // In the windows: once the window has shown and waits for the user,
    // who needs longer to press a button than the office needs for this.
    // A program without an event loop (the command line) gets the template
    // kept by its first brochure instead.
    constexpr int kAfterTheWindowShowsMs = 100;
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    QTimer::singleShot(kAfterTheWindowShowsMs, application, [this, generation = m_generation] {
        if (!isCurrent(generation) || m_openSessions > 0 || m_connection->keptTemplate)
            return;
        CallWatchdog::Scope scope(m_watchdog, CallWatchdog::callLimit());
        keepBrochureTemplate(m_connection->desktop);
    });
}

void OfficeEngine::connect(const QString& pipeName) {
    // The resolver itself could block on an office that accepts but hangs.
    CallWatchdog::Scope scope(m_watchdog, std::chrono::milliseconds(kStartLimitMs));
    const OUString url =
        toUno(QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipeName));
    QElapsedTimer timer;
    timer.start();
    try {
        const Reference<bridge::XUnoUrlResolver> resolver =
            bridge::UnoUrlResolver::create(localContext());
        for (;;) {
            try {
                auto connection = std::make_unique<Connection>();
                connection->context.set(resolver->resolve(url), UNO_QUERY_THROW);
                connection->desktop = frame::Desktop::create(connection->context);
                m_connection = std::move(connection);
                return;
            } catch (const connection::NoConnectException&) {
                if (!m_process.isRunning())
                    throw AutomationError(
                        QStringLiteral("The word-processing engine ended while starting "
                                       "(exit code %1)")
                            .arg(m_process.exitCode().value_or(-1)));
                if (timer.elapsed() > kStartLimitMs)
                    throw AutomationError(
                        QStringLiteral("The word-processing engine did not start within %1 "
                                       "seconds")
                            .arg(kStartLimitMs / 1000));
                QThread::msleep(25);
            }
        }
    } catch (const uno::Exception& error) {
        throw AutomationError(describe(error, scope.expired(), false));
    }
}

void OfficeEngine::configure() {
    // No lock files beside the user's documents: nothing to leave behind
    // when the office is stopped hard.
    CallWatchdog::Scope scope(m_watchdog, CallWatchdog::callLimit());
    try {
        const auto provider = configuration::theDefaultProvider::get(m_connection->context);
        beans::NamedValue path;
        path.Name = "nodepath";
        path.Value <<= OUString("/org.openoffice.Office.Common/Misc");
        const uno::Any pathArgument(path);
        const Reference<beans::XPropertySet> misc(
            provider->createInstanceWithArguments(
                "com.sun.star.configuration.ConfigurationUpdateAccess",
                uno::Sequence<uno::Any>(&pathArgument, 1)),
            UNO_QUERY_THROW);
        misc->setPropertyValue("UseDocumentOOoLockFile", uno::Any(false));
        misc->setPropertyValue("UseDocumentSystemFileLocking", uno::Any(false));
        Reference<util::XChangesBatch>(misc, UNO_QUERY_THROW)->commitChanges();
    } catch (const uno::Exception&) {
        // Only lock files would remain; the engine works without this.
    }
}

void OfficeEngine::stop(StopReason reason) {
    if ((reason == StopReason::ProgramEnd || reason == StopReason::Recycle) && m_running &&
        m_process.isRunning()) {
        CallWatchdog::Scope scope(m_watchdog, std::chrono::seconds(3));
        try {
            m_connection->desktop->terminate();
        } catch (const uno::Exception&) {
            // The office ends either way below.
        }
        m_process.waitForExit(3000);
    }
    if (m_process.pid() != 0) {
        m_process.kill();
        m_process.waitForExit(5000);
    }
    if (!m_pipeName.isEmpty() && m_process.pid() == 0) {
        ::unlink(QFile::encodeName(pipeSocketPath(m_pipeName)));
        m_pipeName.clear();
    }
    if (m_running)
        ++m_generation;
    m_running = false;
    if (reason == StopReason::ProgramExit)
        (void)m_connection.release();
    else
        m_connection.reset();
    if (reason != StopReason::OfficeLost && reason != StopReason::Recycle) {
        m_profile.reset();
        m_watchdog.stop();
    }
}

QString OfficeEngine::describe(const uno::Exception& error, bool expired, bool disposed) {
    if (expired)
        return QStringLiteral("The word-processing engine stopped responding within %1 seconds "
                              "and was stopped; it will be started again for the next session")
            .arg(CallWatchdog::callLimit().count() / 1000.0);
    const QString message = fromUno(error.Message).trimmed();
    // The office's own words name its source files and codes: kept for a log,
    // not for the user.
    if (!message.isEmpty())
        qWarning().noquote() << "The word-processing engine said:" << message;
    if (disposed || !m_process.isRunning() ||
        message.contains(QLatin1String("disposed"), Qt::CaseInsensitive))
        return QStringLiteral("The word-processing engine stopped unexpectedly; Leafwright "
                              "started it again. Press Start Creating Template to try once more.");
    static const QRegularExpression officeInternals(
        QStringLiteral(R"(\.(cxx|hxx|cpp):\d|\bat \./|0x[0-9a-fA-F]+)"));
    if (!message.isEmpty() && !message.contains(officeInternals))
        return message;
    return QStringLiteral("The word-processing engine could not carry out this step");
}

} // namespace lw::word::office
