#pragma once

#include <QIcon>
#include <QString>

namespace lw {

inline constexpr auto kProductTitle = "Leafwright";

// The application title: the product title cut before its last blank, again
// while longer than 40 characters; a title without a blank stays whole.
QString shortTitle(const QString& productTitle);

// The title message boxes show when they name none of their own.
QString applicationTitle();
void setApplicationTitle(const QString& title);

// The folder that holds the program file; side files are looked up here.
QString programFolder();
// Joins the program folder and a relative path such as "x/o.cjs".
QString programFile(const QString& relativePath);
void setProgramFolderForTesting(const QString& folder);

// The one application icon both windows show, at each of its sizes.
QIcon applicationIcon();

} // namespace lw
