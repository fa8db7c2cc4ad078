#include "cli/OneBrochure.h"

#include "brochure/FieldLength.h"
#include "brochure/FieldStore.h"
#include "brochure/LogoPicture.h"
#include "brochure/LogoStore.h"
#include "brochure/SingleLineText.h"
#include "cli/BrochureWriter.h"
#include "cli/DamagedSettings.h"
#include "cli/FieldsFile.h"
#include "cli/Interruption.h"
#include "cli/ProfileCommands.h"
#include "cli/Terminal.h"
#include "wordgen/PrintShopExport.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace lw::cli {
namespace {

// The fields of a hand-written file in the settings file's layout; none
// when it cannot be read as one.
std::optional<BrochureWriter::Fields> fieldsFromFile(const QString& path) {
    // A device, a pipe or a file far larger than ten fields is refused
    // before it is read: /dev/zero never ends.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        printError(QStringLiteral("%1 is %2, not a fields file")
                       .arg(path, info.isDir() ? QStringLiteral("a folder")
                                               : QStringLiteral("a device or a pipe")));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMostFieldsFileBytes + 1);
    if (bytes.size() > kMostFieldsFileBytes) {
        printError(QStringLiteral("%1 is larger than a fields file may be (%2 KB); it holds one "
                                  "line a field")
                       .arg(path)
                       .arg(kMostFieldsFileBytes >> 10));
        return std::nullopt;
    }
    const FieldsFile read = readFieldsFile(bytes);
    if (!read.error.isEmpty()) {
        printError(QStringLiteral("%1: %2").arg(path, read.error));
        return std::nullopt;
    }
    BrochureWriter::Fields fields;
    for (int i = 0; i < kFieldCount; ++i)
        fields[std::size_t(i)] = singleLineText(read.fields[std::size_t(i)]);
    return fields;
}

// The fields the window would show: a damaged settings file recovered as
// the window does it, said once, and each value made a single line.
BrochureWriter::Fields storedFields() {
    const StoreCheck check = FieldStore::checkAtStartUp();
    if (!check.damagedFile.isEmpty())
        printError(damagedSettingsNotice(check));
    BrochureWriter::Fields fields;
    for (int i = 0; i < kFieldCount; ++i)
        fields[std::size_t(i)] = singleLineText(FieldStore::read(i));
    return fields;
}

} // namespace

QString logoToUse(const Invocation& invocation) {
    return invocation.logoGiven ? invocation.logo : storedLogoPath();
}

bool logoCanBeUsed(const QString& logo, QSize* pixels) {
    if (logo.isEmpty())
        return true;
    const PreparedLogo prepared = prepareLogo(logo);
    if (pixels)
        *pixels = prepared.pixels;
    if (!prepared.error.isEmpty())
        printError(prepared.error + QStringLiteral("; nothing was made"));
    else if (!prepared.warning.isEmpty())
        printError(QStringLiteral("warning: ") + prepared.warning);
    return prepared.error.isEmpty();
}

std::optional<BrochureWriter::Fields> brochureFields(const QString& fieldsFile,
                                                     const std::optional<Profile>& profile) {
    const bool fromProfile = profile && fieldsFile.isEmpty();
    std::optional<BrochureWriter::Fields> fields =
        fromProfile ? profile->fields
                    : (fieldsFile.isEmpty() ? storedFields() : fieldsFromFile(fieldsFile));
    if (!fields)
        return std::nullopt;
    if (std::all_of(fields->begin(), fields->end(), [](const QString& v) { return v.isEmpty(); })) {
        printError(
            fromProfile
                ? QStringLiteral("the profile \"%1\" gives no field a value").arg(profile->name)
            : fieldsFile.isEmpty()
                ? QStringLiteral("no fields are saved yet; type them in the window once, or "
                                 "give them with --fields FILE.ini")
                : QStringLiteral("%1 gives no field a value").arg(fieldsFile));
        return std::nullopt;
    }
    for (int i = 0; i < kFieldCount; ++i) {
        if (const QString problem = overlongFieldProblem(i, (*fields)[std::size_t(i)].size());
            !problem.isEmpty()) {
            printError(problem);
            return std::nullopt;
        }
    }
    return fields;
}

int runOneBrochure(const Invocation& invocation) {
    int status = 1;
    const std::optional<BrochureLook> look = brochureLook(invocation, &status);
    if (!look)
        return status;
    const auto read = brochureFields(invocation.fieldsFile, look->profile);
    if (!read)
        return 1;
    const BrochureWriter::Fields& fields = *read;
    const QString& logo = look->logo;
    QSize logoPixels;
    if (!logoCanBeUsed(logo, &logoPixels))
        return 1;
    if (invocation.printShop && !logo.isEmpty()) {
        const QString refusal = judgePictureResolution(logoPixelsPerInch(logoPixels)).refusal;
        if (!refusal.isEmpty()) {
            printError(refusal + QStringLiteral("; nothing was made"));
            return 1;
        }
    }
    if (const QString problem = startEngine(); !problem.isEmpty()) {
        printError(problem);
        return 1;
    }
    BrochureWriter writer;
    if (invocation.printShop)
        writer.forPrintShop(invocation.marks);
    const BrochureWriter::Result result =
        writer.write(fields, {invocation.output}, invocation.overwrite, logo, look->colours);
    for (const QString& warning : result.warnings)
        printError(QStringLiteral("warning: ") + warning);
    if (!result.failure.isEmpty()) {
        printError(QStringLiteral("cannot make %1: %2").arg(invocation.output, result.failure));
        return interrupted() ? kInterruptedExitCode : 1;
    }
    if (!result.kept.isEmpty()) {
        printError(
            QStringLiteral("%1 exists already; --overwrite replaces it").arg(invocation.output));
        return 1;
    }
    return interrupted() ? kInterruptedExitCode : 0;
}

} // namespace lw::cli
