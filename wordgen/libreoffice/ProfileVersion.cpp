#include "wordgen/libreoffice/ProfileVersion.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace lw::word::office {

namespace {

constexpr char kItemStart[] = R"(<item oor:path="/org.openoffice.Setup/Product"><prop )"
                              R"(oor:name="ooSetupLastVersion" oor:op="fuse">)";

QByteArray versionItem(const QString& version) {
    return kItemStart + QByteArray("<value>") + version.toLatin1() + "</value></prop></item>\n";
}

} // namespace

QString installedOfficeVersion(const QString& programFolder) {
    QFile configuration(programFolder + QStringLiteral("/../share/registry/main.xcd"));
    if (!configuration.open(QIODevice::ReadOnly))
        return {};
    // Mapped, not read: the file is a few megabytes and the value is near
    // its start.
    const uchar* data = configuration.map(0, configuration.size());
    if (!data)
        return {};
    const QByteArray text = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                    qsizetype(configuration.size()));
    const qsizetype property = text.indexOf("<prop oor:name=\"ooSetupVersion\">");
    const QByteArray value("<value>");
    const qsizetype start = property < 0 ? -1 : text.indexOf(value, property);
    if (start < 0)
        return {};
    const qsizetype valueStart = start + value.size();
    const qsizetype end = text.indexOf('<', valueStart);
    const QString version = QString::fromLatin1(text.mid(valueStart, end - valueStart));
    static const QRegularExpression majorMinor(QStringLiteral("^[0-9]{1,4}\\.[0-9]{1,4}$"));
    return majorMinor.match(version).hasMatch() ? version : QString();
}

QByteArray withLastUsedVersion(const QByteArray& settings, const QString& version) {
    const QByteArray item = versionItem(version);
    const qsizetype itemStart = settings.indexOf(kItemStart);
    if (itemStart >= 0) {
        const QByteArray itemEnd("</item>");
        qsizetype end = settings.indexOf(itemEnd, itemStart);
        if (end < 0)
            return settings;
        end += itemEnd.size();
        if (end < settings.size() && settings.at(end) == '\n')
            ++end;
        QByteArray result = settings;
        return result.replace(itemStart, end - itemStart, item);
    }
    const QByteArray close("</oor:items>");
    const qsizetype closeAt = settings.lastIndexOf(close);
    if (closeAt < 0)
        return R"(<?xml version="1.0" encoding="UTF-8"?>)"
               "\n"
               R"(<oor:items xmlns:oor="http://openoffice.org/2001/registry" )"
               R"(xmlns:xs="http://www.w3.org/2001/XMLSchema" )"
               R"(xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">)"
               "\n" +
               item + close + "\n";
    QByteArray result = settings;
    return result.insert(closeAt, item);
}

void recordOfficeVersion(const QString& profileFolder, const QString& version) {
    if (version.isEmpty())
        return;
    const QString userFolder = profileFolder + QStringLiteral("/user");
    const QString path = userFolder + QStringLiteral("/registrymodifications.xcu");
    QByteArray settings;
    if (QFile file(path); file.open(QIODevice::ReadOnly))
        settings = file.readAll();
    const QByteArray recorded = withLastUsedVersion(settings, version);
    if (recorded == settings || !QDir().mkpath(userFolder))
        return;
    // Failing here costs only the self-test's time.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(recorded) == recorded.size())
        file.commit();
}

} // namespace lw::word::office
