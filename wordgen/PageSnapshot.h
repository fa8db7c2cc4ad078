#pragma once

#include <QImage>
#include <QString>

namespace lw {

inline constexpr int kClipboardAttempts = 1000;

// The clipboard format the engine puts the whole document in, as PDF, beside
// the picture of its first page.
inline constexpr auto kSnapshotDocumentFormat = "application/pdf";

// Asks the clipboard for its picture until it gives one, at most 1000 times
// in a row with no pause. Format 0 takes whatever picture the clipboard holds.
// A null image when every attempt failed; attempts tells how many were made.
QImage GetClipboardPicture(int format, int* attempts = nullptr);

// Opens the working document in a new session, has the engine put a picture
// of its page on the clipboard and saves that picture as temp.bmp in the
// temporary folder. The user's clipboard is as it was afterwards. Failing
// steps are reported; nothing reaches the caller.
void SaveDocAsJPG(const QString& inFile);

// This process's temp.bmp from the last snapshot, read back from the very
// file it wrote, whatever another instance sharing the folder has written
// under that name since. A null picture, with the reason, when there is none.
QImage readSnapshotPicture(QString* problem);

// Deletes this process's temp.bmp, leaving the name alone once another
// instance's file has it.
void deleteSnapshotFile();

// The whole document as PDF from the last snapshot, for drawing its later
// pages; empty when the engine gave none. Handed over once.
QByteArray takeSnapshotDocument();

} // namespace lw
