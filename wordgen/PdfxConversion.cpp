#include "wordgen/PdfxConversion.h"

#include "shell/Failure.h"
#include "wordgen/pdf/PdfPages.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cmath>

namespace lw {
namespace {

// The CMYK profile Debian's Ghostscript brings (package libgs-common): a
// characterisation of SWOP web offset printing, what American print shops
// print to when they say nothing else.
constexpr auto kCmykProfile = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
// A conversion takes a second or two; a run this long has hung.
constexpr int kMostMilliseconds = 120000;

QString number(double value) {
    return QString::number(value, 'f', 3);
}

QString box(const QRectF& r) {
    return QStringLiteral("[%1 %2 %3 %4]")
        .arg(number(r.left()), number(r.top()), number(r.right()), number(r.bottom()));
}

// A PostScript string of any text: UTF-16 with its byte order mark, in hex.
QString postScriptText(const QString& text) {
    QByteArray bytes("\xfe\xff");
    for (const QChar c : text) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xff));
    }
    return QLatin1Char('<') + QString::fromLatin1(bytes.toHex()) + QLatin1Char('>');
}

// What Ghostscript runs before the PDF: each page gets its boxes as it is
// finished, the document its PDF/X version, title and output intent.
QString prefix(const PdfxPages& pages, const QString& title) {
    return QStringLiteral(
               "<< /EndPage { exch pop dup 0 eq { [/TrimBox %1 /BleedBox %2 /PAGE pdfmark } if "
               "2 ne } >> setpagedevice "
               "[/GTS_PDFXVersion (PDF/X-3:2002) /Title %3 /Trapped /False /DOCINFO pdfmark "
               "[/_objdef {icc_PDFX} /type /stream /OBJ pdfmark "
               "[{icc_PDFX} << /N 4 >> /PUT pdfmark "
               "[{icc_PDFX} (%4) (r) file /PUT pdfmark "
               "[/_objdef {OutputIntent_PDFX} /type /dict /OBJ pdfmark "
               "[{OutputIntent_PDFX} << /Type /OutputIntent /S /GTS_PDFX "
               "/OutputCondition (Commercial and specialty printing) "
               "/Info (U.S. web offset printing, SWOP) /OutputConditionIdentifier (CGATS TR 001) "
               "/RegistryName (http://www.color.org) /DestOutputProfile {icc_PDFX} >> /PUT pdfmark "
               "[{Catalog} << /OutputIntents [{OutputIntent_PDFX}] >> /PUT pdfmark")
        .arg(box(pages.trim), box(pages.bleed), postScriptText(title),
             QString::fromLatin1(kCmykProfile));
}

// The last thing Ghostscript said, for the reason of a failure.
QString lastWords(QProcess& process) {
    const QStringList lines = QString::fromLocal8Bit(process.readAll())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  .filter(QRegularExpression(QStringLiteral("\\S")));
    return lines.isEmpty() ? QString() : lines.constLast().trimmed().left(200);
}

// The PDF Ghostscript wrote has the pages asked for, or the reason it has not.
QString wrongPages(const QString& output, const PdfxPages& pages) {
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return QStringLiteral("Ghostscript wrote no PDF");
    try {
        const PdfPages written(file.readAll());
        if (written.count() != pages.count)
            return QStringLiteral("Ghostscript wrote %1 of %2 pages")
                .arg(written.count())
                .arg(pages.count);
        for (int page = 1; page <= written.count(); ++page) {
            const QSizeF size = written.points(page);
            if (std::abs(size.width() - pages.media.width()) > 0.5 ||
                std::abs(size.height() - pages.media.height()) > 0.5)
                return QStringLiteral("Ghostscript wrote page %1 at %2 x %3 points")
                    .arg(page)
                    .arg(size.width())
                    .arg(size.height());
        }
    } catch (const Failure& failure) {
        return QStringLiteral("Ghostscript wrote a PDF that cannot be read (%1)")
            .arg(failure.description());
    }
    return {};
}

} // namespace

void convertToPdfx(const QString& input, const QString& output, const PdfxPages& pages,
                   const QString& title) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gs"));
    if (program.isEmpty())
        throw Failure(QStringLiteral("Ghostscript (gs) is not installed; it comes with the "
                                     "Debian package ghostscript"));
    if (!QFileInfo::exists(QString::fromLatin1(kCmykProfile)))
        throw Failure(QStringLiteral("The CMYK profile %1 is missing; it comes with the Debian "
                                     "package libgs-common")
                          .arg(QString::fromLatin1(kCmykProfile)));
    QString outputName = output;
    // "%d" in an output name numbers pages for Ghostscript.
    outputName.replace(QLatin1Char('%'), QStringLiteral("%%"));
    QProcess gs;
    gs.setProcessChannelMode(QProcess::MergedChannels);
    gs.start(program,
             {QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"), QStringLiteral("-dNOPAUSE"),
              QStringLiteral("-dQUIET"), QStringLiteral("-sDEVICE=pdfwrite"),
              QStringLiteral("-dPDFX"), QStringLiteral("-sColorConversionStrategy=CMYK"),
              QStringLiteral("-sProcessColorModel=DeviceCMYK"),
              QStringLiteral("--permit-file-read=") + QString::fromLatin1(kCmykProfile),
              QStringLiteral("-sOutputFile=") + outputName, QStringLiteral("-c"),
              prefix(pages, title), QStringLiteral("-f"), input});
    if (!gs.waitForStarted())
        throw Failure(QStringLiteral("Ghostscript (%1) could not be started: %2")
                          .arg(program, gs.errorString()));
    if (!gs.waitForFinished(kMostMilliseconds)) {
        gs.kill(); // our own child, by its handle
        gs.waitForFinished();
        throw Failure(QStringLiteral("Ghostscript did not finish the PDF/X file within %1 s")
                          .arg(kMostMilliseconds / 1000));
    }
    if (gs.exitStatus() != QProcess::NormalExit || gs.exitCode() != 0) {
        const QString said = lastWords(gs);
        throw Failure(QStringLiteral("Ghostscript could not make the PDF/X file (exit status "
                                     "%1)%2")
                          .arg(gs.exitStatus() == QProcess::NormalExit ? gs.exitCode() : -1)
                          .arg(said.isEmpty() ? QString() : QStringLiteral(": ") + said));
    }
    if (const QString problem = wrongPages(output, pages); !problem.isEmpty())
        throw Failure(problem);
}

} // namespace lw
