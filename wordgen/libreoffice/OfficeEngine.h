#pragma once

// The one office process behind every session: started on first use, kept
// warm for the life of the program, replaced when it died or froze. This is
// the only owner of that process; every way the office ends goes through
// stop(), in the one order documented there.

#include "wordgen/libreoffice/CallWatchdog.h"
#include "wordgen/libreoffice/KeptPicture.h"
#include "wordgen/libreoffice/KeptTemplate.h"
#include "wordgen/libreoffice/OfficeProcess.h"
#include "wordgen/libreoffice/OfficeProfile.h"
#include "wordgen/libreoffice/OfficeRecycling.h"

#include <QString>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <cstdint>
#include <memory>

namespace lw::word::office {

// Why an office is stopped.
enum class StopReason {
    // The program ends the orderly way, through its shutdown steps: its last
    // window closed, a termination signal, or the engine asked to stop.
    ProgramEnd,
    // The process leaves without those steps (the engine is destroyed with
    // the program's other statics): no more calls into the UNO runtime.
    ProgramExit,
    // The office died or stopped answering: it is replaced at the next
    // session, on the same profile.
    OfficeLost,
    // The office has grown past its settled size (see OfficeRecycling): it
    // is asked to end and replaced at once, on the same profile.
    Recycle,
};

class OfficeEngine {
public:
    static OfficeEngine& instance();
    ~OfficeEngine();

    // Makes sure a responsive office runs for a new session, starting a new
    // one when there is none, the old one was lost, or it has grown too
    // large while no session is open; fails with a description.
    void ensureRunning();
    // Sessions open now: an office is never replaced under one.
    void sessionOpened() { ++m_openSessions; }
    void sessionClosed() { --m_openSessions; }

    // Stops the office, if one runs, in this order:
    //  1. ProgramEnd and Recycle: it is asked to terminate and given 3 s to
    //     end;
    //  2. it is killed if it still runs, and reaped;
    //  3. the socket file of its pipe is removed (a killed office leaves it);
    //  4. objects made on it become stale: their calls fail with a message;
    //  5. the bridge to it is dropped (ProgramExit: left untouched, as the
    //     UNO runtime may be gone already);
    //  6. except for OfficeLost and Recycle, its profile is freed for other
    //     programs and the watchdog thread ends.
    // A program killed outright takes its office along too: the system kills
    // the office when its parent dies (see OfficeProcess).
    void stop(StopReason reason);

    // Counts the offices started; objects made on an earlier one are stale.
    std::uint64_t generation() const { return m_generation; }
    bool isCurrent(std::uint64_t generation) const;

    css::uno::Reference<css::frame::XDesktop2> desktop() const { return m_connection->desktop; }
    css::uno::Reference<css::uno::XComponentContext> context() const {
        return m_connection->context;
    }
    CallWatchdog& watchdog() { return m_watchdog; }
    // Goes with the office it was read by.
    KeptPicture& keptPicture() { return m_connection->picture; }
    // The template kept loaded in this office, if any.
    std::unique_ptr<KeptTemplate>& keptTemplate() { return m_connection->keptTemplate; }

    // The description of an office error; expired tells that the call ran
    // past its deadline and the office was stopped for it, disposed that the
    // connection to the office was lost.
    QString describe(const css::uno::Exception& error, bool expired, bool disposed);

private:
    OfficeEngine();

    bool isResponsive();
    void startOffice();
    void connect(const QString& pipeName);
    void configure();
    // Keeps the brochure template in the new office when the program is
    // next idle (see keepBrochureTemplate).
    void prepareTemplateWhenIdle();

    CallWatchdog m_watchdog;
    std::unique_ptr<OfficeProfile> m_profile;
    OfficeProcess m_process; // reused for each office started
    struct Connection {
        css::uno::Reference<css::uno::XComponentContext> context;
        css::uno::Reference<css::frame::XDesktop2> desktop;
        // Released before the bridge they came through.
        KeptPicture picture;
        std::unique_ptr<KeptTemplate> keptTemplate;
    };
    std::unique_ptr<Connection> m_connection;
    QString m_pipeName;
    std::uint64_t m_generation = 0;
    bool m_running = false;
    OfficeRecycling m_recycling;
    int m_openSessions = 0;
};

} // namespace lw::word::office
