#pragma once

#include "brochure/BrochureProduct.h"
#include "brochure/ColourScheme.h"

#include <QString>
#include <QStringList>

#include <array>

namespace lw::cli {

// Makes brochures without a window through the engine: fills the template
// with the fields, as "Start Creating Template" does, and writes the result
// to the files asked for. Nothing that goes wrong shows a message box; it
// comes back as the reason of a failed result.
class BrochureWriter {
public:
    using Fields = std::array<QString, kFieldCount>;

    struct Result {
        // The files written, and those kept because they existed already.
        QStringList written;
        QStringList kept;
        // Why nothing was written; empty when it worked.
        QString failure;
        // What the user should hear although it worked.
        QStringList warnings;
    };

    // Makes each ".pdf" target a PDF for a print shop (PDF/X with bleed;
    // crop and fold marks with `marks`) instead of the brochure's own PDF.
    void forPrintShop(bool marks) {
        m_printShop = true;
        m_marks = marks;
    }

    // targets: each file to write, ".doc" for the Word document and ".pdf"
    // for the PDF. Each is made under a hidden name first and none takes
    // its name before all are made, so a failure leaves every target as it
    // was. A run that fails (an office that died or hung included) is tried
    // once more on a fresh office before it counts as failed.
    // logo: a picture for the cover, or empty for none; colours: the
    // brochure's.
    Result write(const Fields& fields, const QStringList& targets, bool replace,
                 const QString& logo = {}, const ColourChoice& colours = defaultColours());

private:
    bool m_printShop = false;
    bool m_marks = false;
};

// Proves that the engine starts, and warms it up for the first brochure; the
// reason when it does not, in plain words.
QString startEngine();

} // namespace lw::cli
