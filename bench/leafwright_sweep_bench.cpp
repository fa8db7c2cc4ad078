// The start-up's sweep of earlier instances' leftovers, timed: a working folder
// with many files that are not ours and a number of records of killed
// instances, each listing files that are still there.
#include "shell/InstanceRecord.h"
#include "shell/LeftoverSweep.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void touch(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("x");
}

// A child that makes and records files, then dies without cleaning up.
void killedInstance(const QString& folder, int files) {
    const pid_t child = ::fork();
    if (child == 0) {
        for (int i = 0; i < files; ++i) {
            const QString path = folder + QStringLiteral("/tmpout%1%2.doc").arg(::getpid()).arg(i);
            lw::recordPathToMake(path);
            touch(path);
        }
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
}

double sweepMilliseconds() {
    QElapsedTimer timer;
    timer.start();
    lw::sweepLeftovers();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int foreignFiles = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 1000;
    const int records = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 10;
    QTemporaryDir folder;
    qputenv("TEMP", QFile::encodeName(folder.path()));
    for (int i = 0; i < foreignFiles; ++i)
        touch(folder.path() + QStringLiteral("/someone-else-%1").arg(i));
    std::printf("nothing to sweep (%d other files): %.2f ms\n", foreignFiles, sweepMilliseconds());
    for (int i = 0; i < records; ++i)
        killedInstance(folder.path(), 5);
    std::printf("%d killed instances' records, 5 files each: %.2f ms\n", records,
                sweepMilliseconds());
    std::printf("again, nothing left: %.2f ms\n", sweepMilliseconds());
    return 0;
}
