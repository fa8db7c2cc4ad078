#include "wordgen/PageSnapshot.h"

#include "shell/BitmapFile.h"
#include "shell/FileRoutines.h"
#include "shell/GuardedProcedure.h"
#include "shell/KeptClipboard.h"
#include "shell/LargeBuffers.h"
#include "wordgen/GenerationRun.h"
#include "wordgen/ObjectRegistry.h"
#include "wordgen/PictureResolution.h"
#include "wordgen/WorkingFiles.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>

#include <utility>

namespace lw {
namespace {
QByteArray g_snapshotDocument;
std::unique_ptr<QFile> g_snapshotFile; // this run's temp.bmp, held open

QString snapshotPath() {
    return temporaryPath(QString::fromLatin1(kSnapshotFileName));
}
} // namespace

QByteArray takeSnapshotDocument() {
    return std::exchange(g_snapshotDocument, QByteArray());
}

QImage readSnapshotPicture(QString* problem) {
    if (!g_snapshotFile) {
        if (problem)
            *problem = QStringLiteral("File not found");
        return QImage();
    }
    return readBitmap(*g_snapshotFile, problem);
}

void deleteSnapshotFile() {
    if (g_snapshotFile)
        deleteIfStillHeld(snapshotPath(), *g_snapshotFile);
    g_snapshotFile.reset();
}

QImage GetClipboardPicture(int /*format*/, int* attempts) {
    QImage picture;
    int count = 0;
    do {
        picture = QGuiApplication::clipboard()->image();
        ++count;
    } while (picture.isNull() && count < kClipboardAttempts);
    if (attempts)
        *attempts = count;
    // From another program the picture may come as a file format that kept
    // only its resolution.
    if (picture.devicePixelRatio() == 1.0)
        picture = withRatioFromResolution(picture);
    return picture;
}

void SaveDocAsJPG(const QString& inFile) {
    using namespace word;
    GuardedProcedure trap(QStringLiteral("Form1"), QStringLiteral("SaveDocAsJPG"));
    Ref<WordApplication> W;
    Ref<WordDocument> D;
    trap.step(116, [&] { W = CreateObject(QString::fromLatin1(kWordApplicationClass)); });
    trap.step(118, [&] { D = W->Documents()->Open(inFile); });
    reportPhase("snapshot: open");
    g_snapshotDocument.clear();
    g_snapshotFile.reset();
    // The picture passes through the clipboard; what the user had there
    // comes back as soon as the picture has been read.
    KeptClipboard usersClipboard;
    // The engine reports the parts of making the picture.
    const bool copied = trap.step(120, [&] { D->Range()->CopyAsPicture(); });
    trap.step(122, [&] {
        QImage picture = GetClipboardPicture(0);
        // The document the picture was drawn from, for the later pages;
        // only this run's, never something the user had copied.
        if (copied)
            if (const QMimeData* data = QGuiApplication::clipboard()->mimeData())
                g_snapshotDocument = data->data(QString::fromLatin1(kSnapshotDocumentFormat));
        usersClipboard.restore();
        reportPhase("snapshot: clipboard read");
        g_snapshotFile = savePictureReplacing(picture, snapshotPath());
        reportPhase("snapshot: temp.bmp written");
    });
    // The drawing's scraps, before the picture is read back.
    returnFreedMemoryToTheSystem();
    usersClipboard.restore();
    trap.step(124, [&] { W->ActiveDocument()->Close(kDoNotSaveChanges); });
    trap.step(126, [&] { W->quit(); });
    reportPhase("snapshot: close and quit");
}

} // namespace lw
