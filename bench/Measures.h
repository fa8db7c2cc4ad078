#pragma once

// What both benchmarks measure the same way: medians and spreads of times,
// and the baseline, one cold office conversion of the shipped template.

#include "brochure/BrochureProduct.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace lw::bench {

inline double median(std::vector<double> ms) {
    if (ms.empty())
        return 0;
    std::sort(ms.begin(), ms.end());
    return ms.size() % 2 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
}

inline void report(const char* what, const std::vector<double>& ms) {
    if (ms.empty())
        return;
    std::printf("%-44s n=%2zu  median %8.1f ms   min %8.1f   max %8.1f\n", what, ms.size(),
                median(ms), *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()));
}

inline double elapsedMs(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

// One `soffice --headless --convert-to doc` of the template with a fresh
// profile each time: what a user would otherwise reach for.
inline std::vector<double> timeBaseline(int runs, const QString& work) {
    std::vector<double> ms;
    QFile resource(QString::fromLatin1(kTemplateResource));
    resource.open(QIODevice::ReadOnly);
    const QString dot = work + QStringLiteral("/baseline.dot");
    QFile out(dot);
    out.open(QIODevice::WriteOnly);
    out.write(resource.readAll());
    out.close();
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir profile;
        QElapsedTimer clock;
        clock.start();
        // Its chatter ("convert ... using filter") would land in the middle
        // of the report when stdout is a file.
        QProcess office;
        office.setStandardOutputFile(QProcess::nullDevice());
        office.setStandardErrorFile(QProcess::nullDevice());
        office.start(QStringLiteral("soffice"),
                     {QStringLiteral("-env:UserInstallation=file://") + profile.path(),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                      QStringLiteral("doc"), QStringLiteral("--outdir"), work, dot});
        office.waitForFinished(-1);
        ms.push_back(elapsedMs(clock));
    }
    return ms;
}

} // namespace lw::bench
