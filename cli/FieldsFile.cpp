#include "cli/FieldsFile.h"

#include "brochure/FieldStore.h"

#include <QStringList>

namespace lw::cli {

FieldsFile readFieldsFile(const QByteArray& bytes) {
    FieldsFile file;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    bool inSection = false, sawSection = false;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) ||
            trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            inSection =
                trimmed.mid(1, trimmed.size() - 2).trimmed() == QLatin1String(kSettingsSection);
            sawSection = sawSection || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) {
            file.error = QStringLiteral("line %1 is not key=value: \"%2\"").arg(n + 1).arg(trimmed);
            return file;
        }
        const QString key = line.left(equals).trimmed();
        // Blanks around the value are layout; inside quotes they are kept.
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        for (int i = 0; i < kFieldCount; ++i)
            if (key.compare(FieldKey(i), Qt::CaseInsensitive) == 0)
                file.fields[std::size_t(i)] = value;
    }
    if (!sawSection)
        file.error =
            QStringLiteral("it needs a section [%1] with the keys %2 to %3")
                .arg(QLatin1String(kSettingsSection), FieldKey(0), FieldKey(kFieldCount - 1));
    return file;
}

} // namespace lw::cli
