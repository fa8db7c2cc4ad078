#pragma once

#include <QByteArray>
#include <QString>

namespace lw {

// Writes the brochure template as a new file of this run's own in the working
// folder and returns its path: template.dot when that name is free, otherwise
// a name drawn beside it. A file already there, whoever made it and whatever
// it holds, is never opened, followed or replaced. Throws a Failure when no
// file can be made.
QString writeOwnTemplate(const QByteArray& bytes);

} // namespace lw
