// When the office is replaced by a fresh one: only after it settled, only
// once it grew past its settled size, and each new office settles again.
#include "wordgen/libreoffice/OfficeRecycling.h"

#include <QTest>

using lw::word::office::OfficeRecycling;

class OfficeRecyclingTest : public QObject {
    Q_OBJECT
private slots:
    void replacesOnlyAfterGrowthPastTheSettledSize() {
        OfficeRecycling recycling;
        recycling.officeStarted();
        const long settled = 180 * 1024;
        const long grown = settled + OfficeRecycling::kAllowedGrowthKiB + 1;
        // Growing fast while it settles is no reason, nor is an unknown size.
        for (int session = 1; session < OfficeRecycling::kSettlingSessions; ++session)
            QVERIFY(!recycling.replaceBeforeSession(session == 5 ? 0 : grown * 2));
        QVERIFY(!recycling.replaceBeforeSession(settled));
        QVERIFY(!recycling.replaceBeforeSession(settled + OfficeRecycling::kAllowedGrowthKiB));
        QVERIFY(!recycling.replaceBeforeSession(0));
        QVERIFY(recycling.replaceBeforeSession(grown));
        // A new office is measured afresh.
        recycling.officeStarted();
        QVERIFY(!recycling.replaceBeforeSession(grown));
    }
};

QTEST_GUILESS_MAIN(OfficeRecyclingTest)
#include "tst_office_recycling.moc"
