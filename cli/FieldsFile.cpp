#include "cli/FieldsFile.h"

#include "brochure/FieldStore.h"
#include "cli/CompanyList.h"
#include "cli/ListColumns.h"

#include <QStringList>

namespace lw::cli {
namespace {

// The field a key names, or -1.
int fieldOfKey(const QString& key) {
    for (int i = 0; i < kFieldCount; ++i)
        if (key.compare(FieldKey(i), Qt::CaseInsensitive) == 0)
            return i;
    const int field = fieldOfColumnName(key);
    return field >= 0 ? field : -1;
}

} // namespace

QString fieldsFileKeys() {
    return knownColumns();
}

FieldsFile readFieldsFile(const QByteArray& bytes) {
    FieldsFile file;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    // Lines before any section are the fields', as in a file without one.
    bool inSection = true, sawField = false;
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
        const int field = fieldOfKey(key);
        if (field < 0) {
            file.error = QStringLiteral("line %1: \"%2\" names no field; the keys are %3")
                             .arg(n + 1)
                             .arg(key, fieldsFileKeys());
            return file;
        }
        // Blanks around the value are layout; inside quotes they are kept.
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        file.fields[std::size_t(field)] = value;
        sawField = true;
    }
    if (!sawField)
        file.error = QStringLiteral("it names no field; write one line a field, such as "
                                    "company_name=Quince Hollow Farm (the keys are %1)")
                         .arg(fieldsFileKeys());
    return file;
}

} // namespace lw::cli
