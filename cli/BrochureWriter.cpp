#include "cli/BrochureWriter.h"

#include "brochure/LogoPicture.h"
#include "wordgen/LogoFile.h"

#include "shell/Failure.h"
#include "shell/FileRoutines.h"
#include "shell/GuardedProcedure.h"
#include "shell/OutputFile.h"
#include "shell/Prompts.h"
#include "shell/WorkingDocuments.h"
#include "wordgen/GenerationRun.h"
#include "wordgen/ObjectRegistry.h"
#include "wordgen/PdfExport.h"
#include "wordgen/PrintShopExport.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <memory>
#include <optional>
#include <vector>

namespace lw::cli {
namespace {

// Takes what the shared routines would show in a box: the first report of a
// run is its failure.
class CollectingPrompts : public Prompts {
public:
    void applicationError(const QString& text) override {
        if (m_first.isEmpty())
            m_first = text.section(QStringLiteral("\r\n"), 0, 0);
    }
    void message(const QString& text) override { applicationError(text); }
    bool askYesNo(const QString&) override { return false; }
    QString saveFileName(const QString&, const QString&, int*) override { return {}; }

    QString takeFirst() { return std::exchange(m_first, QString()); }

private:
    QString m_first;
};

class ListedFields : public FieldSource {
public:
    ListedFields(const BrochureWriter::Fields& fields, const QString& logo,
                 const ColourChoice& colours)
        : m_fields(fields), m_logo(logo), m_colours(colours) {}
    QString fieldToken(int index) override {
        return QString::fromLatin1(kPlaceholderTable[std::size_t(index)].token);
    }
    QString fieldText(int index) override { return m_fields[std::size_t(index)]; }
    QString logoFile() override { return m_logo; }
    ColourChoice colours() override { return m_colours; }

private:
    const BrochureWriter::Fields& m_fields;
    QString m_logo;
    ColourChoice m_colours;
};

// While a brochure is made, the engine's diagnostics for developers (what
// the office said, each step that failed after it stopped) stay out of the
// user's terminal: a row's outcome is told once, with its reason.
class QuietDiagnostics {
public:
    QuietDiagnostics() : m_previous(qInstallMessageHandler(&QuietDiagnostics::handle)) {
        s_previous = m_previous;
    }
    ~QuietDiagnostics() { qInstallMessageHandler(m_previous); }
    QuietDiagnostics(const QuietDiagnostics&) = delete;
    QuietDiagnostics& operator=(const QuietDiagnostics&) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if ((type == QtCriticalMsg || type == QtFatalMsg) && s_previous)
            s_previous(type, context, text);
    }
    static inline QtMessageHandler s_previous = nullptr;
    QtMessageHandler m_previous;
};

void copyInto(const QString& document, const OutputFile& file) {
    QFile input(document);
    QFile output(file.partPath());
    if (!input.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("Cannot read %1: %2").arg(document, input.errorString()));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw file.writeFailure(output.errorString());
    const QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError)
        throw Failure(QStringLiteral("Cannot read %1: %2").arg(document, input.errorString()));
    if (output.write(bytes) != bytes.size() || !output.flush())
        throw file.writeFailure(output.errorString());
}

bool isPdf(const QString& target) {
    return target.endsWith(QLatin1String(kPdfExtension), Qt::CaseInsensitive);
}

// One try: fills the template and writes every target under its hidden
// name, then publishes them. The reason when it failed.
// printShop: PDFs for a print shop, with marks when asked.
QString tryOnce(const BrochureWriter::Fields& fields, const QString& logo,
                const ColourChoice& colours, const QStringList& targets, bool replace,
                std::optional<bool> printShop, CollectingPrompts& prompts,
                BrochureWriter::Result& result) {
    ListedFields source(fields, logo, colours);
    GuardedProcedure trap(QStringLiteral("CommandLine"), QStringLiteral("MakeBrochure"));
    const QString document = FillTemplate(trap, source);
    // The working document goes whatever happens below.
    const auto cleanup = qScopeGuard([] { deleteWorkingDocumentsQuietly(); });
    if (const QString failure = prompts.takeFirst(); !failure.isEmpty())
        return failure;
    if (!PathExists(document))
        return QStringLiteral("The engine saved no document.");

    try {
        std::vector<std::unique_ptr<OutputFile>> files;
        for (const QString& target : targets) {
            files.push_back(std::make_unique<OutputFile>(target));
            const QString& title = fields[std::size_t(kTitleFieldIndex)];
            if (isPdf(target) && printShop) {
                result.warnings = writePrintShopPdf(document, *files.back(), title, *printShop);
            } else if (isPdf(target)) {
                writeBrochurePdf(document, *files.back(), title);
            } else {
                copyInto(document, *files.back());
            }
        }
        for (const auto& file : files)
            (file->publish(replace) ? result.written : result.kept) << file->target();
    } catch (...) {
        return describeCurrentException();
    }
    return {};
}

} // namespace

BrochureWriter::Result BrochureWriter::write(const Fields& fields, const QStringList& targets,
                                             bool replace, const QString& logo,
                                             const ColourChoice& colours) {
    CollectingPrompts prompts;
    setPrompts(&prompts);
    const auto restore = qScopeGuard([] { setPrompts(nullptr); });
    const QuietDiagnostics quiet;
    Result result;
    QStringList left = targets;
    if (!replace) {
        for (const QString& target : targets)
            if (QFileInfo::exists(target))
                result.kept << target;
        for (const QString& target : std::as_const(result.kept))
            left.removeAll(target);
    }
    if (left.isEmpty())
        return result;
    std::unique_ptr<LogoFile> logoFile;
    if (!logo.isEmpty()) {
        const PreparedLogo prepared = prepareLogo(logo);
        if (!prepared.error.isEmpty()) {
            result.failure = prepared.error;
            return result;
        }
        try {
            logoFile = std::make_unique<LogoFile>(prepared);
        } catch (...) {
            result.failure = describeCurrentException();
            return result;
        }
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        result.failure =
            tryOnce(fields, logoFile ? logoFile->path() : QString(), colours, left, replace,
                    m_printShop ? std::optional(m_marks) : std::nullopt, prompts, result);
        if (result.failure.isEmpty() || !result.written.isEmpty())
            break;
    }
    return result;
}

QString startEngine() {
    CollectingPrompts prompts;
    setPrompts(&prompts);
    QString problem;
    try {
        word::Ref<word::WordApplication> application =
            word::CreateObject(QString::fromLatin1(word::kWordApplicationClass));
        application->quit();
    } catch (...) {
        problem = QStringLiteral("cannot start LibreOffice Writer (%1); it comes with the Debian "
                                 "packages libreoffice-writer and libreoffice-draw")
                      .arg(describeCurrentException());
    }
    setPrompts(nullptr);
    return problem;
}

} // namespace lw::cli
