#pragma once

#include <QDir>
#include <QString>

namespace lw::cli {

// A row's logo file, found inside the list's folder, or why it cannot be:
// an absolute path, or one that leaves the folder ("../", or a link to a
// file outside it), is refused, so a list never brings in a picture from
// anywhere else on the machine.
struct ListLogo {
    QString path;
    QString problem;
};

// written: the logo column's value ("\" is taken as "/", as lists made on
// Windows write it).
ListLogo listLogoPath(const QDir& listFolder, const QString& written);

} // namespace lw::cli
