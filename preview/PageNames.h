#pragma once

#include <QString>

namespace lw {

// How the user is told which page of the folded brochure the preview shows:
// "Page 1 (outside)", "Page 2 (inside)"; any further page by its number.
QString pageName(int page);

// What the picture says of itself to a screen reader and in its tool tip:
// the page, of how many, the zoom, whether the cover on this page carries
// the company's logo, and how to reach the other pages.
QString pictureDescription(int page, int pageCount, float zoom, bool coverLogo = false);

} // namespace lw
