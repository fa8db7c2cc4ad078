#pragma once

#include "shell/ProgramEnd.h"
#include "tests/support/OfficeProcesses.h"
#include "tests/support/TestHome.h"
#include "ui/Form1.h"
#include "wordgen/EngineModule.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <memory>

namespace lw::test {

// What the tests of whole generation runs on the real engine share: settings,
// working folder and office profiles of their own, the engine loaded, and the
// program's end turned into a ProgramEnded exception. Make one per test
// program, as a member of its test object.
class EngineRunFixture {
public:
    // For initTestCase: empty when the engine loaded, else why it did not.
    QString startEngine() {
        setProgramExitForTesting([](int code) { throw ProgramEnded{code}; });
        return word::loadEngineModules();
    }

    // For cleanupTestCase: stops the engine; true when no office of this
    // test program is left.
    bool stopEngine() {
        word::stopEngines();
        return waitUntilNoneWith(cache.marker(), 5000);
    }

    // For init: empty settings and working folder, and an empty clipboard,
    // so a page picture that could not be copied shows as missing.
    void reset() {
        home.reset();
        QGuiApplication::clipboard()->clear();
    }

    // A main window loaded, with the example company in its fields.
    static std::unique_ptr<Form1> sampleWindow() {
        auto form = std::make_unique<Form1>();
        form->Form_Load();
        form->PushButton4_Click();
        return form;
    }

    // Everything in the working folder, hidden entries included, but for
    // this test process's own record of what it made.
    QStringList workingFolderEntries() const { return entriesBesideRecord(home.tempPath()); }

    TestHome home;
    PrivateOfficeCache cache;
};

} // namespace lw::test
