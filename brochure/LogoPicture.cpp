#include "brochure/LogoPicture.h"

#include "brochure/SelfContainedSvg.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace lw {
namespace {

// What decoding one picture may take: a 20000 x 20000 photo needs 1.6 GB.
constexpr int kMostDecodingMegabytes = 512;

QSizeF fittedInches(const QSize& pixels) {
    if (pixels.isEmpty())
        return {};
    const double scale =
        std::min(kLogoAreaWidth / pixels.width(), kLogoAreaHeight / pixels.height());
    return {pixels.width() * scale, pixels.height() * scale};
}

// The pixels per inch a picture of this many pixels prints at.
int logoPpi(const QSize& pixels) {
    const QSizeF printed = fittedInches(pixels);
    return printed.isEmpty() ? 0 : qRound(pixels.width() / printed.width());
}

PreparedLogo refused(const QString& text) {
    PreparedLogo logo;
    logo.error = text;
    return logo;
}

} // namespace

QRectF logoPlacement(const QSize& pixels) {
    const QSizeF size = fittedInches(pixels);
    return {kLogoAreaLeft + (kLogoAreaWidth - size.width()) / 2,
            kLogoAreaTop + (kLogoAreaHeight - size.height()) / 2, size.width(), size.height()};
}

QSize reducedLogoSize(const QSize& pixels) {
    const QSizeF printed = fittedInches(pixels);
    if (printed.isEmpty())
        return pixels;
    const double scale = std::max(printed.width() * kLogoPpi / pixels.width(),
                                  printed.height() * kLogoPpi / pixels.height());
    if (scale >= 1)
        return pixels;
    return {std::min(pixels.width(), int(std::ceil(pixels.width() * scale))),
            std::min(pixels.height(), int(std::ceil(pixels.height() * scale)))};
}

PreparedLogo prepareLogo(const QString& path) {
    const QFileInfo file(path);
    const QString name = QStringLiteral("\"%1\"").arg(path);
    if (!file.exists())
        return refused(QStringLiteral("The logo %1 does not exist").arg(name));
    if (!file.isFile())
        return refused(QStringLiteral("The logo %1 is not a file").arg(name));
    if (!file.isReadable())
        return refused(QStringLiteral("The logo %1 cannot be read: permission denied").arg(name));

    QImageReader::setAllocationLimit(kMostDecodingMegabytes);
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly))
        return refused(
            QStringLiteral("The logo %1 cannot be read: %2").arg(name, input.errorString()));
    QImageReader probe(&input);
    probe.setDecideFormatFromContent(true);
    if (!probe.canRead())
        return refused(QStringLiteral("The logo %1 is not a picture Leafwright can read (PNG, "
                                      "JPEG, SVG or WebP)")
                           .arg(name));
    const bool vector = probe.format() == "svg" || probe.format() == "svgz";
    // An SVG is drawn from a copy that refers to nothing outside itself,
    // from memory, so the renderer has no file to resolve references from.
    QByteArray svg;
    QBuffer svgBuffer(&svg);
    if (vector) {
        input.seek(0);
        const SelfContainedSvg contained = selfContainedSvg(input.read(kMostSvgBytes + 1));
        if (!contained.problem.isEmpty())
            return refused(
                QStringLiteral("The logo %1 cannot be used: %2").arg(name, contained.problem));
        svg = contained.bytes;
        svgBuffer.open(QIODevice::ReadOnly);
    } else {
        input.seek(0);
    }
    QImageReader reader(vector ? static_cast<QIODevice*>(&svgBuffer) : &input,
                        vector ? QByteArray("svg") : probe.format());
    reader.setAutoTransform(true);
    const QSize pixels = reader.size();
    if (pixels.isValid()) {
        const QSize reduced = reducedLogoSize(pixels);
        // A vector picture is drawn at the finest size printed.
        reader.setScaledSize(vector ? reducedLogoSize(pixels * 64) : reduced);
    }
    QImage picture = reader.read();
    if (picture.isNull()) {
        const bool tooLarge = pixels.isValid() && qint64(pixels.width()) * pixels.height() * 4 >
                                                      qint64(kMostDecodingMegabytes) << 20;
        return refused(
            tooLarge
                ? QStringLiteral("The logo %1 is too large to read (%2 x %3 "
                                 "pixels); save a smaller copy, for example "
                                 "2000 pixels wide")
                      .arg(name)
                      .arg(pixels.width())
                      .arg(pixels.height())
                : QStringLiteral("The logo %1 is damaged: %2").arg(name, reader.errorString()));
    }
    if (picture.size() != reducedLogoSize(picture.size()))
        picture = picture.scaled(reducedLogoSize(picture.size()), Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);

    PreparedLogo logo;
    logo.pixels = picture.size();
    if (!vector && logoPpi(picture.size()) < kLeastSharpPpi)
        logo.warning =
            QStringLiteral("The logo %1 has %2 x %3 pixels and prints at %4 ppi, which "
                           "looks coarse; a picture of %5 ppi or more (%6 pixels wide) "
                           "prints sharp")
                .arg(name)
                .arg(picture.width())
                .arg(picture.height())
                .arg(logoPpi(picture.size()))
                .arg(kLeastSharpPpi)
                .arg(int(std::ceil(fittedInches(picture.size()).width() * kLeastSharpPpi)));
    QBuffer buffer(&logo.bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.hasAlphaChannel()) {
        logo.suffix = QStringLiteral("png");
        picture.save(&buffer, "PNG");
    } else {
        logo.suffix = QStringLiteral("jpg");
        picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPEG", 92);
    }
    return logo;
}

} // namespace lw
