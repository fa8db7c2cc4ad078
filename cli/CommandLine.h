#pragma once

#include "brochure/BrandColours.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lw::cli {

// What the program was asked to do.
struct Invocation {
    enum class Mode {
        Windows,     // no options: the two windows
        Help,        // --help: the usage on standard output
        Version,     // --version
        One,         // --output FILE: one brochure without a window
        Batch,       // --batch LIST.csv --output-dir DIR: one for each company
                     // (or --check: the list only judged)
        Print,       // --print: the brochure on a printer
        Worker,      // a copy of the program making the brochures of a list
        Schemes,     // --schemes: the colour schemes, one a line
        Profiles,    // --profiles: the kept profiles' names, one a line
        SaveProfile, // --save-profile NAME: fields, logo and colours kept under NAME
        Bad,         // anything else: `problem` says why
    };
    Mode mode = Mode::Windows;
    QString problem;
    bool brief = false; // the problem alone is told, without the usage

    QString output;         // --output
    QString fieldsFile;     // --fields, empty for the saved fields
    QString logo;           // --logo, empty for none
    bool logoGiven = false; // --logo was given: the window's logo is not used
    QString list;           // --batch
    QString outputDir;      // --output-dir
    bool doc = true;        // --format doc or both
    bool pdf = false;       // --format pdf or both
    bool overwrite = false;
    int jobs = 0;                 // --jobs: offices at once for a list; 0 chooses
    QString printer;              // --printer, empty for the default one
    int copies = 1;               // --copies
    bool check = false;           // --check: the list read and judged, nothing made
    bool officeReadsList = false; // a workbook, read by the office
    int shard = 0;                // --shard K/N: K, from 1; 0 for the whole list
    int shards = 0;               // N
    // --print-shop: the --output PDF made for a print shop (PDF/X, bleed);
    // --marks: with crop and fold marks.
    bool printShop = false;
    bool marks = false;

    // The company's look. Each colour given replaces that colour of the
    // profile (or of the brochure's own scheme); for --batch, a row's own
    // columns replace them in turn.
    std::optional<ColourChoice> scheme; // --scheme
    std::optional<QColor> colour;       // --colour (or --color)
    std::optional<QColor> accent;       // --accent
    QString profile;                    // --profile, empty for none
    QString saveProfile;                // --save-profile

    bool makesBrochures() const {
        return mode == Mode::One || (mode == Mode::Batch && (!check || officeReadsList)) ||
               mode == Mode::Worker || mode == Mode::Print;
    }
    // Brochures, or the profiles, which need the application's data folder.
    bool needsApplication() const {
        return makesBrochures() || mode == Mode::Profiles || mode == Mode::SaveProfile;
    }
};

// The colours asked for, over the given ones: the scheme, then each colour.
ColourChoice chosenColours(const Invocation& invocation, ColourChoice base);

// Reads the arguments (the program's name first) the way the program
// understands them. Never fails: a bad invocation comes back as Mode::Bad
// with a one-line reason.
Invocation readCommandLine(const QStringList& arguments);
// The same from main's arguments, before any application object exists.
Invocation readCommandLine(int argc, char** argv);

// The usage, as --help prints it and a bad invocation repeats it.
QString usageText(const QString& programName);

// True when the arguments ask for anything but the windows (work, the
// usage, the version, or a mistake to be told), decided before any
// application object exists so that none of it needs a display: anything
// but none at all or Qt's own single-dash window options such as
// "-platform xcb".
bool runsWithoutWindow(int argc, char** argv);

// Why the windows cannot open here (no display server to show them on), or
// empty when they can.
QString missingDisplayProblem(int argc, char** argv);

} // namespace lw::cli
