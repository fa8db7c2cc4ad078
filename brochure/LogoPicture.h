#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QString>

namespace lw {

// The area of the cover that a logo fits into, in inches from the page's top
// left corner: across the cover panel (the right one of page 1, 3.6875 in
// wide from its fold at 7.3125 in), above the amber accent and the company
// name. The template's generator checks that these follow its cover.
inline constexpr double kLogoAreaLeft = 7.8425, kLogoAreaTop = 0.58;
inline constexpr double kLogoAreaWidth = 2.4275, kLogoAreaHeight = 0.95;
// A logo is never printed coarser than this, and a finer picture is reduced
// to it before it goes into the document: what print shops ask for, and
// more pixels only make every run with a logo slower.
inline constexpr int kLogoPpi = 300;

// A picture made ready for the brochure: PNG when it has transparency, else
// JPEG, at most kLogoPpi at its printed size (rounded up). `error` says, naming the
// file, why a picture cannot be used; the rest is empty then.
struct PreparedLogo {
    QString error;
    QByteArray bytes;
    QString suffix; // "png" or "jpg"
    QSize pixels;
    // Set, naming the file and its effective ppi, when the picture is usable
    // but will print coarsely.
    QString warning;
};

// Reads PNG, JPEG, SVG, WebP and whatever else Qt's image plug-ins read. A
// picture whose decoding would take more memory than a desktop can spare is
// refused, never decoded. An SVG is drawn from its own contents only (see
// SelfContainedSvg.h): it never brings in another file. The one preparation
// for every way a logo comes in: the window, --logo and a list's rows.
PreparedLogo prepareLogo(const QString& path);

// Below this a picture looks coarse in print, and the user is told.
inline constexpr int kLeastSharpPpi = 150;

// Where a picture of this many pixels goes: fitted into the logo area with
// its proportions kept, centred. Inches from the page's top left corner.
QRectF logoPlacement(const QSize& pixels);

// The pixels a picture is reduced to: kLogoPpi at the size it is printed,
// rounded up so it is never coarser; never enlarged.
QSize reducedLogoSize(const QSize& pixels);

} // namespace lw
