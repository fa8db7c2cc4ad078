#pragma once

#include "brochure/BrochureProduct.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// What a run leaves to check: the text of its document and its error reports.
namespace lw::test {

// The plain text of a Word document, as catdoc reads it.
inline QString textOfDoc(const QString& path) {
    QProcess catdoc;
    catdoc.start(QStringLiteral("catdoc"),
                 {QStringLiteral("-w"), QStringLiteral("-d"), QStringLiteral("utf-8"), path});
    catdoc.waitForFinished(30000);
    return QString::fromUtf8(catdoc.readAllStandardOutput());
}

// The text of a Word document as wvText reads it: long text-box stories come
// whole, where catdoc stops early. work is a folder for the output.
inline QString wvTextOfDoc(const QString& path, const QString& work) {
    const QString out = work + QStringLiteral("/wvtext.txt");
    QProcess::execute(QStringLiteral("wvText"), {path, out});
    QFile file(out);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

// The field tokens still in a text.
inline QStringList tokensIn(const QString& text) {
    QStringList found;
    for (const auto& field : kPlaceholderTable)
        if (text.contains(QString::fromLatin1(field.token), Qt::CaseInsensitive))
            found << QString::fromLatin1(field.token);
    return found;
}

// The description of each error report: its text before the location line.
inline QStringList descriptionsOf(const QStringList& reports) {
    QStringList descriptions;
    for (const QString& report : reports)
        descriptions << report.section(QStringLiteral("\r\n"), 0, 0).trimmed();
    return descriptions;
}

} // namespace lw::test
