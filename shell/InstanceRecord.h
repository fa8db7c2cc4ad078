#pragma once

#include <QString>

namespace lw {

// A small file in the working folder that lists what this process makes
// there and elsewhere (working documents, pictures, workers' folders, office
// sockets and profiles), so that a later start can remove what a process that
// was killed could not. The record is locked for as long as the process runs:
// a record nobody holds belongs to a process that is gone.

// The name every record starts with; the rest is the process id and a random
// part.
inline constexpr auto kInstanceRecordPrefix = ".leafwright-instance-";

// Lists a path whose name was drawn at random, before it is made: its name
// alone says it is ours.
void recordPathToMake(const QString& path);

// Lists a file just made under a name others may use too (template.dot,
// temp.bmp): only that very file, not a later one of the same name, is ours.
// Given the file's open descriptor, that file is listed whatever the name
// leads to by now.
void recordMadeFile(const QString& path, int fd = -1);

// The office's lock file beside a document it opened: ".~lock.<name>#".
QString officeLockFileOf(const QString& documentPath);

} // namespace lw
