#pragma once

#include "brochure/BrochureProduct.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;
class QImage;
class QRandomGenerator;

namespace lw {

// Lets pending window events run once, then writes the bytes to a new file
// at path unless something already exists there. The file is created
// exclusively, so a file or link planted under that name is never written
// through. Throws a Failure when the file cannot be written.
void SaveBytesToFile(const QByteArray& bytes, const QString& path);

// Writes the bytes to a new file at path, readable by the user alone; false,
// with nothing written, when something (a link included) already has that
// name. Throws a Failure when the file cannot be written.
bool SaveBytesToNewFile(const QByteArray& bytes, const QString& path);

// Writes the bytes to a new private file in the working folder, named
// "<prefix>-<16 random hex digits>.<suffix>" and listed as this process's
// before it is made. Its path, or empty when 100 draws found no free name.
// Throws a Failure when the file cannot be written.
QString saveNewWorkingFile(const QString& prefix, const QString& suffix, const QByteArray& bytes);

// Takes a working file's name by making it, empty and private; false when
// the name is taken. A folder that takes no file at all is left for the
// save to report: true.
bool reserveWorkingFile(const QString& path);

// Makes a working file the office wrote readable by the user alone: the
// office creates files with the umask's permissions.
void keepPrivate(const QString& path);

// One digit of a working document's name ("tmpout" and eight of these):
// 1 to 9, never 0.
int drawNameDigit(QRandomGenerator& generator);

// Saves a picture under path by writing a new file beside it and renaming it
// over the old one: a link planted under that name is replaced, not followed.
// The file comes back open: another instance sharing the folder may write
// under the same name before this one reads its picture back or deletes it.
std::unique_ptr<QFile> savePictureReplacing(const QImage& picture, const QString& path);

// Deletes path only while it still names the file held open.
void deleteIfStillHeld(const QString& path, const QFile& held);

} // namespace lw
