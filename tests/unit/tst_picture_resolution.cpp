// A sharp page picture's logical size: kept as Qt's device pixel ratio in
// memory and as the resolution in files, restored from either; and which
// pixels of it are scaled to which screen pixels.
#include "preview/PictureScaling.h"
#include "shell/BitmapFile.h"
#include "wordgen/PictureResolution.h"
#include "wordgen/WorkingFiles.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace lw;

class PictureResolutionTest : public QObject {
    Q_OBJECT
private slots:
    void ratioFromResolution_data() {
        QTest::addColumn<int>("dotsPerMetre");
        QTest::addColumn<double>("ratio");
        QTest::newRow("none") << 0 << 1.0;
        QTest::newRow("Qt's default, 72 dpi") << 2835 << 1.0;
        QTest::newRow("96 dpi") << 3780 << 1.0;
        QTest::newRow("144 dpi") << 5669 << 1.5;
        QTest::newRow("192 dpi") << 7559 << 2.0;
        QTest::newRow("384 dpi") << 15118 << 4.0;
        QTest::newRow("negative") << -15118 << 1.0;
    }
    void ratioFromResolution() {
        QFETCH(int, dotsPerMetre);
        QFETCH(double, ratio);
        QCOMPARE(ratioForDotsPerMetre(dotsPerMetre), ratio);
        if (ratio > 1.0)
            QCOMPARE(dotsPerMetreForRatio(ratio), dotsPerMetre);
    }

    // Through temp.bmp, read back by content as the preview does: every
    // pixel and the logical size come back.
    void aSharpPictureKeepsItsLogicalSizeThroughTheBitmapFile() {
        QImage picture(2384, 1844, QImage::Format_RGB32);
        picture.fill(Qt::white);
        picture.setPixel(2383, 1843, qRgb(10, 20, 30));
        picture.setPixel(0, 0, qRgb(200, 100, 50));
        setPictureRatio(picture, 4);
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(596, 461));

        QTemporaryDir folder;
        const QString path = folder.filePath("temp.bmp");
        savePictureReplacing(picture, path);
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        const QImage back = withRatioFromResolution(reader.read());
        QCOMPARE(back.size(), QSize(2384, 1844));
        QCOMPARE(back.devicePixelRatio(), 4.0);
        QCOMPARE(back.deviceIndependentSize(), QSizeF(596, 461));
        QCOMPARE(back.pixel(2383, 1843), qRgb(10, 20, 30));
        QCOMPARE(back.pixel(0, 0), qRgb(200, 100, 50));
        // The preview's own reader sees the same picture, and still reads
        // bitmaps and other pictures written by anyone else.
        const QImage ours = withRatioFromResolution(readBitmap(path));
        QCOMPARE(ours.devicePixelRatio(), 4.0);
        QVERIFY(ours == back.convertToFormat(QImage::Format_RGB32));
        for (const char* format : {"BMP", "PNG"}) {
            const QString other = folder.filePath(QStringLiteral("other.") + QLatin1String(format));
            QVERIFY(picture.save(other, format));
            QVERIFY(readBitmap(other).convertToFormat(QImage::Format_RGB32) == picture);
        }
        QString problem;
        QVERIFY(readBitmap(folder.filePath("missing.bmp"), &problem).isNull());
        QVERIFY(!problem.isEmpty());

        // A picture without a ratio of its own stays one pixel per pixel.
        QImage plain(596, 461, QImage::Format_RGB32);
        plain.fill(Qt::white);
        savePictureReplacing(plain, path);
        QCOMPARE(withRatioFromResolution(QImage(path)).devicePixelRatio(), 1.0);
        QVERIFY(withRatioFromResolution(QImage()).isNull());
    }

    void scalingTakesTheSourceAtItsFullResolution_data() {
        QTest::addColumn<QSize>("shown");
        QTest::addColumn<double>("screenRatio");
        QTest::addColumn<QRect>("source");
        QTest::addColumn<QSize>("target");
        // The 596 x 461 picture at 4 pixels per logical pixel.
        QTest::newRow("zoom 1") << QSize(596, 461) << 1.0 << QRect(0, 0, 2384, 1844)
                                << QSize(596, 461);
        QTest::newRow("zoom 1.5") << QSize(894, 691) << 1.0 << QRect(0, 0, 2384, 1844)
                                  << QSize(894, 691);
        QTest::newRow("zoom 1.5, screen 2x")
            << QSize(894, 691) << 2.0 << QRect(0, 0, 2384, 1844) << QSize(1788, 1382);
        QTest::newRow("zoom 0.25, screen 1.25x")
            << QSize(149, 115) << 1.25 << QRect(0, 0, 2384, 1844) << QSize(186, 144);
        QTest::newRow("nothing shown")
            << QSize(0, 0) << 1.0 << QRect(0, 0, 2384, 1844) << QSize(0, 0);
    }
    void scalingTakesTheSourceAtItsFullResolution() {
        QFETCH(QSize, shown);
        QFETCH(double, screenRatio);
        QFETCH(QRect, source);
        QFETCH(QSize, target);
        const PictureScaling scaling =
            pictureScaling(shown, QSize(596, 461), QSize(2384, 1844), 4.0, screenRatio);
        QCOMPARE(scaling.source, source);
        QCOMPARE(scaling.target, target);
    }

    void scalingNeverReadsPastTheSource() {
        // The base size rounds up past a picture one pixel short.
        PictureScaling scaling =
            pictureScaling(QSize(596, 461), QSize(596, 461), QSize(2383, 1843), 4.0, 1.0);
        QCOMPARE(scaling.source, QRect(0, 0, 2383, 1843));
        // No source at all: nothing to paint.
        scaling = pictureScaling(QSize(596, 461), QSize(596, 461), QSize(), 4.0, 1.0);
        QVERIFY(scaling.target.isEmpty());
        // A plain picture, as before: its pixels are its logical pixels.
        scaling = pictureScaling(QSize(800, 600), QSize(400, 300), QSize(400, 300), 1.0, 1.0);
        QCOMPARE(scaling.source, QRect(0, 0, 400, 300));
        QCOMPARE(scaling.target, QSize(800, 600));
    }
};

QTEST_GUILESS_MAIN(PictureResolutionTest)
#include "tst_picture_resolution.moc"
