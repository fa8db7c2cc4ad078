// Logos sent to do harm: SVGs that refer to themselves, to each other or to
// other files on the machine are drawn from their own contents only, never
// crash, and nothing of another picture reaches the cover.
#include "brochure/LogoPicture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

using namespace lw;

namespace {

// A square of blue on the left; the right half is where another picture
// would be drawn.
QByteArray svgAround(const QByteArray& inside, const QByteArray& before = {}) {
    return before +
           "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\""
           " width=\"200\" height=\"100\"><rect width=\"100\" height=\"100\" fill=\"#0000ff\"/>" +
           inside + "</svg>";
}

QByteArray imageOf(const QByteArray& reference) {
    return "<image x=\"100\" y=\"0\" width=\"100\" height=\"100\" xlink:href=\"" + reference +
           "\"/>";
}

QByteArray gzipped(const QByteArray& bytes) {
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(bytes.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool holdsColour(const QImage& image, bool (*colour)(QRgb)) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128 && colour(image.pixel(x, y)))
                return true;
    return false;
}

bool reddish(QRgb p) {
    return qRed(p) > 160 && qGreen(p) < 100 && qBlue(p) < 100;
}
bool greenish(QRgb p) {
    return qGreen(p) > 100 && qRed(p) < 80 && qBlue(p) < 80;
}
bool bluish(QRgb p) {
    return qBlue(p) > 160 && qRed(p) < 80 && qGreen(p) < 80;
}

} // namespace

class LogoSafetyTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_red; // a picture that must never appear
    QByteArray m_greenPng;

    QString path(const QString& name) const { return m_folder.filePath(name); }

private slots:
    void initTestCase() {
        QImage red(64, 64, QImage::Format_RGB32);
        red.fill(Qt::red);
        m_red = path(QStringLiteral("elsewhere/red.png"));
        QDir().mkpath(path(QStringLiteral("elsewhere")));
        QVERIFY(red.save(m_red));
        QImage green(8, 8, QImage::Format_RGB32);
        green.fill(QColor(0, 160, 0));
        QBuffer buffer(&m_greenPng);
        buffer.open(QIODevice::WriteOnly);
        green.save(&buffer, "PNG");
    }

    void drawsOnlyItsOwnContents_data() {
        QTest::addColumn<QString>("logo");
        QTest::addColumn<QByteArray>("svg");
        QTest::addColumn<QString>("other"); // a second file, or none
        QTest::addColumn<QByteArray>("otherSvg");
        // The reader refuses some tricks outright: refused is as safe as
        // drawn without the reference.
        QTest::addColumn<bool>("mayBeRefused");
        const QByteArray absolute = QFile::encodeName(m_red);
        QTest::newRow("refers to itself")
            << "self.svg" << svgAround(imageOf("self.svg")) << QString() << QByteArray() << false;
        QTest::newRow("two refer to each other") << "a.svg" << svgAround(imageOf("b.svg"))
                                                 << "b.svg" << svgAround(imageOf("a.svg")) << false;
        QTest::newRow("absolute path")
            << "abs.svg" << svgAround(imageOf(absolute)) << QString() << QByteArray() << false;
        QTest::newRow("../ path") << "in/side/rel.svg"
                                  << svgAround(imageOf("../../elsewhere/red.png")) << QString()
                                  << QByteArray() << false;
        QTest::newRow("file URL") << "url.svg" << svgAround(imageOf("file://" + absolute))
                                  << QString() << QByteArray() << false;
        QTest::newRow("SVG inside a data URI")
            << "nested.svg"
            << svgAround(
                   imageOf("data:image/svg+xml;base64," + svgAround(imageOf(absolute)).toBase64()))
            << QString() << QByteArray() << false;
        QTest::newRow("use of another file")
            << "use.svg" << svgAround("<use x=\"100\" xlink:href=\"other.svg#r\"/>") << "other.svg"
            << svgAround("<rect id=\"r\" width=\"100\" height=\"100\" fill=\"#ff0000\"/>") << false;
        QTest::newRow("style sheet and paint from elsewhere")
            << "style.svg"
            << svgAround("<style>@import url(paint.css);</style><rect x=\"100\" width=\"100\" "
                         "height=\"100\" fill=\"url(paint.svg#red)\"/>")
            << "paint.css" << QByteArray("rect { fill: #ff0000 }") << false;
        QTest::newRow("entity that expands to an image")
            << "entity.svg"
            << svgAround("&pic;", "<!DOCTYPE svg [<!ENTITY pic '<image x=\"100\" width=\"100\" "
                                  "height=\"100\" xlink:href=\"" +
                                      absolute + "\"/>'>]>")
            << QString() << QByteArray() << true;
        QTest::newRow("compressed, absolute path")
            << "abs.svgz" << gzipped(svgAround(imageOf(absolute))) << QString() << QByteArray()
            << false;
    }
    void drawsOnlyItsOwnContents() {
        QFETCH(QString, logo);
        QFETCH(QByteArray, svg);
        QFETCH(QString, other);
        QFETCH(QByteArray, otherSvg);
        QFETCH(bool, mayBeRefused);
        writeFile(path(logo), svg);
        if (!other.isEmpty())
            writeFile(path(other), otherSvg);
        const PreparedLogo prepared = prepareLogo(path(logo));
        if (mayBeRefused && !prepared.error.isEmpty())
            return;
        QVERIFY2(prepared.error.isEmpty(), qPrintable(prepared.error));
        const QImage drawn = QImage::fromData(prepared.bytes);
        QVERIFY(!drawn.isNull());
        QVERIFY(holdsColour(drawn, bluish));   // its own contents are drawn
        QVERIFY(!holdsColour(drawn, reddish)); // nothing from elsewhere
    }

    // A picture embedded in the SVG itself is its own content and stays.
    void embeddedPictureIsKept() {
        writeFile(path(QStringLiteral("embedded.svg")),
                  svgAround(imageOf("data:image/png;base64," + m_greenPng.toBase64())));
        const PreparedLogo prepared = prepareLogo(path(QStringLiteral("embedded.svg")));
        QVERIFY2(prepared.error.isEmpty(), qPrintable(prepared.error));
        QVERIFY(holdsColour(QImage::fromData(prepared.bytes), greenish));
    }

    // A small picture printed large is used, with its effective ppi told.
    void coarsePictureIsWarnedAbout() {
        QImage icon(16, 16, QImage::Format_RGB32);
        icon.fill(Qt::darkGreen);
        QVERIFY(icon.save(path(QStringLiteral("icon.png"))));
        const PreparedLogo small = prepareLogo(path(QStringLiteral("icon.png")));
        QVERIFY(small.error.isEmpty());
        QVERIFY2(small.warning.contains(QStringLiteral("prints at 17 ppi")),
                 qPrintable(small.warning));
        QImage sharp(800, 300, QImage::Format_RGB32);
        sharp.fill(Qt::darkGreen);
        QVERIFY(sharp.save(path(QStringLiteral("sharp.png"))));
        QCOMPARE(prepareLogo(path(QStringLiteral("sharp.png"))).warning, QString());
    }
};

QTEST_MAIN(LogoSafetyTest)
#include "tst_logo_safety.moc"
