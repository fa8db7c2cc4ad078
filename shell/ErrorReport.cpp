#include "shell/ErrorReport.h"

#include "shell/Prompts.h"

namespace lw {

QString locationString(const QString& object, const QString& procedure) {
    return QStringLiteral("in %1%2.%3.%4 ")
        .arg(QString::fromLatin1(kProjectName), QString::fromLatin1(kBuildDate), object, procedure);
}

QString errorReportText(const QString& description, const QString& location, int line) {
    return description + QStringLiteral("\r\n") + location + QStringLiteral("at line ") +
           QString::number(line) + QStringLiteral("\r\r") +
           QStringLiteral("Please email screenshot of this message to ") +
           QString::fromLatin1(kSupportEmail);
}

void showErrorReport(const QString& description, const QString& location, int line) {
    prompts().applicationError(errorReportText(description, location, line));
}

} // namespace lw
