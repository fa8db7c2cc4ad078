#include "preview/FileReplace.h"

#include "shell/Failure.h"

#include <QFile>
#include <QSaveFile>

namespace lw {
namespace {

[[noreturn]] void failCopy(const QString& source, const QString& target, const QString& reason) {
    throw Failure(QStringLiteral("Cannot copy %1 to %2: %3").arg(source, target, reason));
}

} // namespace

void copyFileReplacing(const QString& source, const QString& target) {
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly))
        failCopy(source, target, input.errorString());

    // QSaveFile writes beside target and renames on commit; dropped without a
    // commit, it removes its temporary file.
    QSaveFile output(target);
    output.setDirectWriteFallback(false);
    if (!output.open(QIODevice::WriteOnly))
        failCopy(source, target, output.errorString());

    constexpr qint64 kChunk = 1 << 16;
    while (!input.atEnd()) {
        const QByteArray chunk = input.read(kChunk);
        if (chunk.isEmpty() && input.error() != QFileDevice::NoError)
            failCopy(source, target, input.errorString());
        if (output.write(chunk) != chunk.size())
            failCopy(source, target, output.errorString());
    }
    if (input.error() != QFileDevice::NoError)
        failCopy(source, target, input.errorString());
    if (!output.commit())
        failCopy(source, target, output.errorString());
}

} // namespace lw
