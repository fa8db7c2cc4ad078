#pragma once

#include <QString>

namespace lw::cli {

// The field a list's column fills, or -1: the column's name in the field
// table, the field's caption in the window or a name spreadsheets commonly
// use ("ZIP", "Postal Code", "E-mail"), compared without regard to case,
// blanks, underscores, hyphens or dots.
int fieldOfColumnName(const QString& name);

// The column of each row's logo: not a field of the brochure but a picture
// for its cover.
inline constexpr int kLogoColumn = -2;
// The columns of each row's main colour ("colour", "color") and accent.
inline constexpr int kColourColumn = -3;
inline constexpr int kAccentColumn = -4;

} // namespace lw::cli
