#pragma once

// When a long-running office is replaced by a fresh one. The office's memory
// grows with the documents it opens and never comes back (here about 2 MB a
// generation run over its first twenty runs, 40 MB over 300), so a program
// used all day would hold ever more of it. What it holds after its first
// sessions is its settled size; once it holds a few megabytes more, it is
// replaced at the start of a session when no other session is open (about
// once in a hundred runs on the development machine, costing that run some
// 230 ms). Pure logic, fed with the office's resident size.

namespace lw::word::office {

class OfficeRecycling {
public:
    // Sessions that fill the office's caches before its size counts.
    static constexpr int kSettlingSessions = 40;
    // Growth past the settled size that makes the office be replaced.
    static constexpr long kAllowedGrowthKiB = 8 * 1024;

    // A new office: it settles again.
    void officeStarted() {
        m_sessions = 0;
        m_settledKiB = 0;
    }

    // A session is about to start on the office, which holds residentKiB
    // (0 when unknown). True when the office should be replaced first.
    bool replaceBeforeSession(long residentKiB) {
        ++m_sessions;
        if (residentKiB <= 0)
            return false;
        if (m_sessions == kSettlingSessions)
            m_settledKiB = residentKiB;
        return m_settledKiB > 0 && residentKiB > m_settledKiB + kAllowedGrowthKiB;
    }

private:
    int m_sessions = 0;
    long m_settledKiB = 0;
};

} // namespace lw::word::office
