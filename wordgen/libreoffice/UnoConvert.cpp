#include "wordgen/libreoffice/UnoConvert.h"

#include <QFileInfo>
#include <QUrl>

namespace lw::word::office {

OUString fileUrl(const QString& localPath) {
    const QUrl url = QUrl::fromLocalFile(QFileInfo(localPath).absoluteFilePath());
    return toUno(QString::fromLatin1(url.toEncoded()));
}

} // namespace lw::word::office
