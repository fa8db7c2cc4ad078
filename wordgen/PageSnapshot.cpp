#include "wordgen/PageSnapshot.h"

#include "shell/FileRoutines.h"
#include "shell/GuardedProcedure.h"
#include "wordgen/ObjectRegistry.h"
#include "wordgen/WorkingFiles.h"

#include <QClipboard>
#include <QGuiApplication>

namespace lw {

QImage GetClipboardPicture(int /*format*/, int* attempts) {
    QImage picture;
    int count = 0;
    do {
        picture = QGuiApplication::clipboard()->image();
        ++count;
    } while (picture.isNull() && count < kClipboardAttempts);
    if (attempts)
        *attempts = count;
    return picture;
}

void SaveDocAsJPG(const QString& inFile) {
    using namespace word;
    GuardedProcedure trap(QStringLiteral("Form1"), QStringLiteral("SaveDocAsJPG"));
    Ref<WordApplication> W;
    Ref<WordDocument> D;
    trap.step(116, [&] { W = CreateObject(QString::fromLatin1(kWordApplicationClass)); });
    trap.step(118, [&] { D = W->Documents()->Open(inFile); });
    trap.step(120, [&] { D->Range()->CopyAsPicture(); });
    trap.step(122, [&] {
        const QImage picture = GetClipboardPicture(0);
        savePictureReplacing(picture, temporaryPath(QString::fromLatin1(kSnapshotFileName)));
    });
    trap.step(124, [&] { W->ActiveDocument()->Close(kDoNotSaveChanges); });
    trap.step(126, [&] { W->quit(); });
}

} // namespace lw
