#pragma once

#include "shell/Failure.h"

#include <QString>
#include <QTemporaryFile>

namespace lw {

// A file on its way into its folder: written under a hidden name beside its
// target, then given the target's name in one step, so a file of that name
// is always whole. Dropped before it is published, it takes what was
// written with it.
class OutputFile {
public:
    // Throws a Failure naming the reason when the folder takes no new file.
    explicit OutputFile(const QString& target);

    const QString& target() const { return m_target; }
    // Where to write: ends in the target's extension, which tells the
    // engine the format.
    QString partPath() const { return m_part.fileName(); }

    // Gives the file the target's name, readable as a new file of the
    // user's would be (a replaced file keeps its permissions). An existing
    // target is replaced only with `replace`; without, it is left as it is
    // and false is returned. Throws a Failure on any other refusal
    // ("Cannot replace" when an existing target was to be replaced).
    bool publish(bool replace);

    // A failure to write the hidden file, told of the target the user asked
    // for: "Cannot write <target>: <reason>", the reason being that the disk
    // is full when it is.
    Failure writeFailure(const QString& reason) const;

private:
    QString m_target;
    QTemporaryFile m_part;
};

} // namespace lw
