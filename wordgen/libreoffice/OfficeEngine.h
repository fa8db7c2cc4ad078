#pragma once

// The one office process behind every session: started on first use, kept
// warm for the life of the program, replaced when it died or froze, stopped
// by shutdown.

#include "wordgen/libreoffice/CallWatchdog.h"
#include "wordgen/libreoffice/OfficeProcess.h"
#include "wordgen/libreoffice/OfficeProfile.h"

#include <QString>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <cstdint>
#include <memory>

namespace lw::word::office {

class OfficeEngine {
public:
    static OfficeEngine& instance();

    // Makes sure a responsive office runs, starting a new one when there is
    // none or the old one died; fails with a description.
    void ensureRunning();
    // Stops the office and frees its profile; does nothing when none runs.
    void shutdown();
    // At program exit without shutdown: kills the office, makes no UNO calls.
    void stopAtExit();

    // Counts the offices started; objects made on an earlier one are stale.
    std::uint64_t generation() const { return m_generation; }
    bool isCurrent(std::uint64_t generation) const;

    css::uno::Reference<css::frame::XDesktop2> desktop() const { return m_connection->desktop; }
    CallWatchdog& watchdog() { return m_watchdog; }

    // The description of an office error; expired tells that the call ran
    // past its deadline and the office was stopped for it, disposed that the
    // connection to the office was lost.
    QString describe(const css::uno::Exception& error, bool expired, bool disposed);
    // The office's process id, zero when none runs (for diagnostics).
    qint64 processId() const { return m_process.pid(); }

private:
    OfficeEngine();

    bool isResponsive();
    void startOffice();
    void connect(const QString& pipeName);
    void configure();
    // Kills the office process if it still runs, reaps it, removes its pipe.
    void endProcess();
    void dropOffice();
    void removePipeFile();

    CallWatchdog m_watchdog;
    std::unique_ptr<OfficeProfile> m_profile;
    OfficeProcess m_process; // reused for each office started
    struct Connection {
        css::uno::Reference<css::uno::XComponentContext> context;
        css::uno::Reference<css::frame::XDesktop2> desktop;
    };
    std::unique_ptr<Connection> m_connection;
    QString m_pipeName;
    std::uint64_t m_generation = 0;
    bool m_running = false;
};

} // namespace lw::word::office
