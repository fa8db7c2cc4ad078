#include "wordgen/TemplateFile.h"

#include "brochure/BrochureProduct.h"
#include "shell/FileRoutines.h"
#include "shell/InstanceRecord.h"
#include "wordgen/WorkingFiles.h"

#include <QRandomGenerator>

namespace lw {

QString writeOwnTemplate(const QByteArray& bytes) {
    QString path = temporaryPath(QString::fromLatin1(kTemplateFileName));
    // Enough draws that a folder crowded by chance cannot stop a run, few
    // enough that a folder that takes no file fails at once.
    for (int attempt = 0; attempt < 16; ++attempt) {
        if (SaveBytesToNewFile(bytes, path)) {
            recordMadeFile(path);
            return path;
        }
        path = temporaryPath(
            QStringLiteral("template-%1.dot")
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    }
    throw Failure(QStringLiteral("Cannot create a template file in %1").arg(temporaryFolder()));
}

} // namespace lw
