#pragma once

#include <QImage>
#include <QString>

namespace lw {

inline constexpr int kClipboardAttempts = 1000;

// Asks the clipboard for its picture until it gives one, at most 1000 times
// in a row with no pause. Format 0 takes whatever picture the clipboard holds.
// A null image when every attempt failed; attempts tells how many were made.
QImage GetClipboardPicture(int format, int* attempts = nullptr);

// Opens the working document in a new session, has the engine put a picture
// of its page on the clipboard and saves that picture as temp.bmp in the
// temporary folder. Failing steps are reported; nothing reaches the caller.
void SaveDocAsJPG(const QString& inFile);

} // namespace lw
