#include "cli/CommandLine.h"

#include "brochure/ColourScheme.h"
#include "cli/BatchJobs.h"
#include "cli/WorkbookList.h"

#include <QCommandLineParser>

#include <algorithm>
#include <cstring>
#include <vector>

namespace lw::cli {
namespace {

// As many as the pool of office profiles holds.
constexpr int kMostJobs = 8;
// More copies than that is a typing slip, not a brochure run.
constexpr int kMostCopies = 999;

Invocation bad(const QString& problem) {
    Invocation invocation;
    invocation.mode = Invocation::Mode::Bad;
    invocation.problem = problem;
    return invocation;
}

// Edits (letters put in, taken out or changed) between two words.
int editDistance(const QString& a, const QString& b) {
    std::vector<int> row(std::size_t(b.size()) + 1);
    for (std::size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[std::size_t(j)];
            row[std::size_t(j)] = std::min({above + 1, row[std::size_t(j - 1)] + 1,
                                            diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

// An unknown option told on one line, with the known one nearest to it
// when one is near: a slip of the fingers, not a need for the whole usage.
Invocation unknownOption(const QString& typed, const QList<QCommandLineOption>& options) {
    QString nearest;
    int best = 0;
    for (const QCommandLineOption& option : options)
        for (const QString& name : option.names()) {
            if (name.size() < 2 || name == QLatin1String(kWorkerOption))
                continue;
            // Near: no more than two edits in five letters.
            const int distance = editDistance(typed.toLower(), name);
            if (distance * 5 <= std::max(typed.size(), name.size()) * 2 &&
                (nearest.isEmpty() || distance < best)) {
                best = distance;
                nearest = name;
            }
        }
    Invocation invocation = bad(
        nearest.isEmpty() ? QStringLiteral("unknown option --%1 (see --help)").arg(typed)
                          : QStringLiteral("unknown option --%1; did you mean --%2? (see --help)")
                                .arg(typed, nearest));
    invocation.brief = true;
    return invocation;
}

Invocation readPrint(const QCommandLineParser& parser,
                     std::initializer_list<const QCommandLineOption*> others,
                     const QCommandLineOption& fields, const QCommandLineOption& printer,
                     const QCommandLineOption& copies, const QCommandLineOption& logo) {
    for (const QCommandLineOption* other : others)
        if (parser.isSet(*other))
            return bad(QStringLiteral("--print takes only --printer, --fields, --copies and "
                                      "--logo."));
    Invocation invocation;
    invocation.mode = Invocation::Mode::Print;
    invocation.fieldsFile = parser.value(fields);
    invocation.logo = parser.value(logo);
    invocation.logoGiven = parser.isSet(logo);
    invocation.printer = parser.value(printer);
    if (parser.isSet(fields) && invocation.fieldsFile.isEmpty())
        return bad(QStringLiteral("--fields: the file name is empty."));
    if (parser.isSet(printer) && invocation.printer.isEmpty())
        return bad(QStringLiteral("--printer: the name is empty."));
    if (parser.isSet(copies)) {
        bool number = false;
        invocation.copies = parser.value(copies).toInt(&number);
        if (!number || invocation.copies < 1 || invocation.copies > kMostCopies)
            return bad(QStringLiteral("--copies: '%1' is not a number from 1 to %2.")
                           .arg(parser.value(copies))
                           .arg(kMostCopies));
    }
    return invocation;
}

// The options of the company's look: colours, schemes and profiles.
struct LookOptions {
    QCommandLineOption colour{
        {QStringLiteral("colour"), QStringLiteral("color")}, {}, QStringLiteral("#RRGGBB")};
    QCommandLineOption accent{QStringLiteral("accent"), {}, QStringLiteral("#RRGGBB")};
    QCommandLineOption scheme{QStringLiteral("scheme"), {}, QStringLiteral("NAME")};
    QCommandLineOption profile{QStringLiteral("profile"), {}, QStringLiteral("NAME")};
    QCommandLineOption saveProfile{QStringLiteral("save-profile"), {}, QStringLiteral("NAME")};
    QCommandLineOption schemes{QStringLiteral("schemes")};
    QCommandLineOption profiles{QStringLiteral("profiles")};

    QList<QCommandLineOption> all() const {
        return {colour, accent, scheme, profile, saveProfile, schemes, profiles};
    }
    // The options that give colours or a profile to a brochure.
    QList<const QCommandLineOption*> forBrochures() const {
        return {&colour, &accent, &scheme, &profile};
    }
};

// The look's values read into an invocation that makes brochures; a bad
// value makes it a bad invocation that names the value.
Invocation withLook(const QCommandLineParser& parser, const LookOptions& look,
                    Invocation invocation) {
    if (invocation.mode == Invocation::Mode::Bad)
        return invocation;
    if (parser.values(look.colour).size() > 1)
        return bad(QStringLiteral("Option 'colour' given more than once."));
    for (auto [option, colour] : {std::pair{&look.colour, &invocation.colour},
                                  std::pair{&look.accent, &invocation.accent}}) {
        if (!parser.isSet(*option))
            continue;
        *colour = parseColour(parser.value(*option));
        if (!*colour)
            return bad(QStringLiteral("--%1: %2.")
                           .arg(option->names().first(), notAColour(parser.value(*option))));
    }
    if (parser.isSet(look.scheme)) {
        invocation.scheme = schemeNamed(parser.value(look.scheme));
        if (!invocation.scheme)
            return bad(
                QStringLiteral("--scheme: there is no scheme named '%1'; the schemes are "
                               "%2.")
                    .arg(parser.value(look.scheme), schemeNames().join(QStringLiteral(", "))));
    }
    invocation.logoGiven = parser.isSet(QStringLiteral("logo"));
    if (parser.isSet(look.profile)) {
        invocation.profile = parser.value(look.profile).trimmed();
        if (invocation.profile.isEmpty())
            return bad(QStringLiteral("--profile: the name is empty."));
    }
    return invocation;
}

// --schemes, --profiles and --save-profile; none when none of them is asked.
std::optional<Invocation> readLookCommand(const QCommandLineParser& parser, const LookOptions& look,
                                          std::initializer_list<const QCommandLineOption*> others,
                                          const QCommandLineOption& fields,
                                          const QCommandLineOption& logo) {
    const QList<const QCommandLineOption*> commands{&look.schemes, &look.profiles,
                                                    &look.saveProfile};
    const auto given = std::count_if(commands.begin(), commands.end(),
                                     [&](const auto* option) { return parser.isSet(*option); });
    if (given == 0)
        return std::nullopt;
    if (given > 1)
        return bad(QStringLiteral("--schemes, --profiles and --save-profile go alone."));
    if (!parser.isSet(look.saveProfile)) {
        for (const QCommandLineOption* option : others)
            if (parser.isSet(*option))
                return bad(QStringLiteral("--schemes and --profiles take no other option."));
        for (const QCommandLineOption* option : look.forBrochures())
            if (parser.isSet(*option))
                return bad(QStringLiteral("--schemes and --profiles take no other option."));
        Invocation invocation;
        invocation.mode =
            parser.isSet(look.schemes) ? Invocation::Mode::Schemes : Invocation::Mode::Profiles;
        return invocation;
    }
    for (const QCommandLineOption* option : others)
        if (option != &fields && option != &logo && parser.isSet(*option))
            return bad(QStringLiteral("--save-profile takes only --fields, --logo, --colour, "
                                      "--accent and --scheme."));
    if (parser.isSet(look.profile))
        return bad(QStringLiteral("--save-profile takes only --fields, --logo, --colour, "
                                  "--accent and --scheme."));
    Invocation invocation;
    invocation.mode = Invocation::Mode::SaveProfile;
    invocation.saveProfile = parser.value(look.saveProfile).trimmed();
    invocation.fieldsFile = parser.value(fields);
    invocation.logo = parser.value(logo);
    invocation.logoGiven = parser.isSet(logo);
    if (invocation.saveProfile.isEmpty())
        return bad(QStringLiteral("--save-profile: the name is empty."));
    if (parser.isSet(fields) && invocation.fieldsFile.isEmpty())
        return bad(QStringLiteral("--fields: the file name is empty."));
    return withLook(parser, look, invocation);
}

} // namespace

ColourChoice chosenColours(const Invocation& invocation, ColourChoice base) {
    if (invocation.scheme)
        base = *invocation.scheme;
    if (invocation.colour)
        base.main = *invocation.colour;
    if (invocation.accent)
        base.accent = *invocation.accent;
    return base;
}

Invocation readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, {});
    const QCommandLineOption output(QStringLiteral("output"), {}, QStringLiteral("FILE"));
    const QCommandLineOption fields(QStringLiteral("fields"), {}, QStringLiteral("FILE.ini"));
    const QCommandLineOption batch(QStringLiteral("batch"), {}, QStringLiteral("LIST.csv"));
    const QCommandLineOption outputDir(QStringLiteral("output-dir"), {}, QStringLiteral("DIR"));
    const QCommandLineOption format(QStringLiteral("format"), {}, QStringLiteral("FORMAT"));
    const QCommandLineOption overwrite(QStringLiteral("overwrite"), {});
    const QCommandLineOption jobs(QStringLiteral("jobs"), {}, QStringLiteral("N"));
    const QCommandLineOption worker(QLatin1String(kWorkerOption), {});
    const QCommandLineOption print(QStringLiteral("print"), {});
    const QCommandLineOption printer(QStringLiteral("printer"), {}, QStringLiteral("NAME"));
    const QCommandLineOption copies(QStringLiteral("copies"), {}, QStringLiteral("N"));
    const QCommandLineOption check(QStringLiteral("check"), {});
    const QCommandLineOption logo(QStringLiteral("logo"), {}, QStringLiteral("FILE"));
    const QCommandLineOption shard(QStringLiteral("shard"), {}, QStringLiteral("K/N"));
    const QCommandLineOption printShop(QStringLiteral("print-shop"), {});
    const QCommandLineOption marks(QStringLiteral("marks"), {});
    const LookOptions look;
    const QList<QCommandLineOption> options =
        QList<QCommandLineOption>{help,   version,   output, fields, batch,     outputDir,
                                  format, overwrite, jobs,   worker, print,     printer,
                                  copies, check,     shard,  logo,   printShop, marks} +
        look.all();
    parser.addOptions(options);

    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty())
            return unknownOption(parser.unknownOptionNames().constFirst(), options);
        return bad(parser.errorText());
    }
    if (!parser.positionalArguments().isEmpty())
        return bad(QStringLiteral("Unexpected argument '%1'.")
                       .arg(parser.positionalArguments().constFirst()));
    for (const QString& name : parser.optionNames())
        if (parser.optionNames().count(name) > 1)
            return bad(QStringLiteral("Option '%1' given more than once.").arg(name));

    Invocation invocation;
    if (parser.isSet(help)) {
        invocation.mode = Invocation::Mode::Help;
        return invocation;
    }
    if (parser.isSet(version)) {
        invocation.mode = Invocation::Mode::Version;
        return invocation;
    }
    invocation.overwrite = parser.isSet(overwrite);
    if (parser.isSet(worker)) {
        invocation.mode = Invocation::Mode::Worker;
        return invocation;
    }
    if (const std::optional<Invocation> lookCommand =
            readLookCommand(parser, look,
                            {&output, &batch, &outputDir, &format, &overwrite, &jobs, &check,
                             &shard, &print, &printer, &copies, &fields, &logo, &printShop, &marks},
                            fields, logo))
        return *lookCommand;
    if (parser.isSet(output) && parser.isSet(batch))
        return bad(QStringLiteral("--output and --batch cannot be combined."));
    // A PDF for a print shop is one brochure's PDF.
    if (parser.isSet(marks) && !parser.isSet(printShop))
        return bad(QStringLiteral("--marks needs --print-shop."));
    if (parser.isSet(printShop)) {
        if (!parser.isSet(output) || parser.isSet(print))
            return bad(QStringLiteral("--print-shop needs --output FILE.pdf."));
        if (!parser.value(output).endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            return bad(QStringLiteral("--print-shop makes a PDF: the --output file name must end "
                                      "in .pdf."));
        invocation.printShop = true;
        invocation.marks = parser.isSet(marks);
    }
    if (parser.isSet(print))
        return withLook(
            parser, look,
            readPrint(parser,
                      {&output, &batch, &outputDir, &format, &overwrite, &jobs, &check, &shard},
                      fields, printer, copies, logo));
    for (const QCommandLineOption* printing : {&printer, &copies})
        if (parser.isSet(*printing))
            return bad(QStringLiteral("--%1 needs --print.").arg(printing->names().last()));

    if (parser.isSet(output)) {
        if (parser.isSet(outputDir) || parser.isSet(format) || parser.isSet(jobs) ||
            parser.isSet(check) || parser.isSet(shard))
            return bad(QStringLiteral("--output-dir, --format, --jobs, --check and --shard belong "
                                      "to --batch."));
        invocation.mode = Invocation::Mode::One;
        invocation.output = parser.value(output);
        invocation.fieldsFile = parser.value(fields);
        invocation.logo = parser.value(logo);
        invocation.logoGiven = parser.isSet(logo);
        const QString lower = invocation.output.toLower();
        invocation.doc = lower.endsWith(QLatin1String(".doc"));
        invocation.pdf = lower.endsWith(QLatin1String(".pdf"));
        if (!invocation.doc && !invocation.pdf)
            return bad(QStringLiteral("--output: the file name must end in .doc or .pdf."));
        if (parser.isSet(fields) && invocation.fieldsFile.isEmpty())
            return bad(QStringLiteral("--fields: the file name is empty."));
        return withLook(parser, look, invocation);
    }

    if (parser.isSet(batch)) {
        if (parser.isSet(fields))
            return bad(QStringLiteral("--fields belongs to --output and --print; a list names "
                                      "its own fields."));
        // A row's own logo comes first; --logo (or the window's) is for the
        // rest.
        invocation.logo = parser.value(logo);
        invocation.logoGiven = parser.isSet(logo);
        invocation.check = parser.isSet(check);
        if (!invocation.check && (!parser.isSet(outputDir) || parser.value(outputDir).isEmpty()))
            return bad(QStringLiteral("--batch needs --output-dir DIR (or --check)."));
        if (parser.isSet(shard)) {
            const QStringList parts = parser.value(shard).split(QLatin1Char('/'));
            bool kNumber = false, nNumber = false;
            if (parts.size() == 2) {
                invocation.shard = parts[0].toInt(&kNumber);
                invocation.shards = parts[1].toInt(&nNumber);
            }
            if (!kNumber || !nNumber || invocation.shards < 1 || invocation.shard < 1 ||
                invocation.shard > invocation.shards)
                return bad(QStringLiteral("--shard: '%1' is not K/N with 1 <= K <= N.")
                               .arg(parser.value(shard)));
        }
        invocation.mode = Invocation::Mode::Batch;
        invocation.list = parser.value(batch);
        invocation.officeReadsList = isWorkbookPath(invocation.list);
        invocation.outputDir = parser.value(outputDir);
        if (invocation.list.isEmpty())
            return bad(QStringLiteral("--batch: the list's file name is empty."));
        if (parser.isSet(jobs)) {
            bool number = false;
            invocation.jobs = parser.value(jobs).toInt(&number);
            if (!number || invocation.jobs < 1 || invocation.jobs > kMostJobs)
                return bad(QStringLiteral("--jobs: '%1' is not a number from 1 to %2.")
                               .arg(parser.value(jobs))
                               .arg(kMostJobs));
        }
        const QString chosen = parser.isSet(format) ? parser.value(format) : QStringLiteral("doc");
        if (chosen == QLatin1String("doc")) {
            invocation.doc = true;
            invocation.pdf = false;
        } else if (chosen == QLatin1String("pdf")) {
            invocation.doc = false;
            invocation.pdf = true;
        } else if (chosen == QLatin1String("both")) {
            invocation.doc = invocation.pdf = true;
        } else {
            return bad(QStringLiteral("--format: '%1' is not doc, pdf or both.").arg(chosen));
        }
        return withLook(parser, look, invocation);
    }

    for (const QCommandLineOption* option : look.forBrochures())
        if (parser.isSet(*option))
            return bad(QStringLiteral("--%1 needs --output, --print or --batch.")
                           .arg(option->names().first()));

    for (const QCommandLineOption* alone :
         {&fields, &outputDir, &format, &overwrite, &jobs, &check, &shard, &logo})
        if (parser.isSet(*alone))
            return bad(QStringLiteral("--%1 needs --output%2.")
                           .arg(alone->names().last(),
                                alone == &fields ? QStringLiteral(" or --print")
                                : alone == &logo ? QStringLiteral(", --batch or --print")
                                                 : QStringLiteral(" or --batch")));
    return invocation;
}

QString usageText(const QString& programName) {
    const QString indent(7, QLatin1Char(' '));
    return QStringLiteral(
               "Usage: %1\n"
               "%2%1 --output FILE.doc|FILE.pdf [--fields FILE.ini] [--logo FILE]\n"
               "%2%3[--overwrite]\n"
               "%2%1 --output FILE.pdf --print-shop [--marks] [--fields FILE.ini]\n"
               "%2%3[--logo FILE] [--overwrite]\n"
               "%2%1 --batch LIST.csv --output-dir DIR [--format doc|pdf|both]\n"
               "%2%3[--jobs N] [--overwrite] [--shard K/N] [--logo FILE]\n"
               "%2%1 --batch LIST --check\n"
               "%2%1 --print [--printer NAME] [--fields FILE.ini] [--copies N]\n"
               "%2%3[--logo FILE]\n"
               "%2%1 --save-profile NAME [--fields FILE.ini] [--logo FILE]\n"
               "%2%1 --schemes | --profiles\n"
               "\n"
               "--output, --print and --batch also take [--profile NAME] [--scheme NAME]\n"
               "[--colour #RRGGBB] [--accent #RRGGBB]; so does --save-profile, but for\n"
               "--profile.\n"
               "\n"
               "Without options, opens the windows. With --output, --batch or --print,\n"
               "works without a window and needs no display.\n"
               "\n"
               "Options:\n"
               "  -h, --help            print this usage and exit\n"
               "  -v, --version         print the version and exit\n"
               "  --output FILE         one brochure from the saved fields; .doc or .pdf\n"
               "                        by the ending of FILE\n"
               "  --fields FILE.ini     take the fields from a file instead: one line a\n"
               "                        field, keyed by a list's column name (below),\n"
               "                        the window's caption or Text1_0..Text1_9:\n"
               "                          company_name=Quince Hollow Farm\n"
               "                          tag_line=Fresh eggs, every morning\n"
               "  --logo FILE           put the company's logo (PNG, JPEG, SVG, WebP) on\n"
               "                        the cover instead of the one the window keeps\n"
               "                        (--logo '' for none); a list's logo column\n"
               "                        gives its rows their own\n"
               "  --batch LIST.csv      one brochure for each row of a CSV list (comma,\n"
               "                        semicolon or tab; UTF-8, UTF-16 or Windows-1252;\n"
               "                        - for standard input; at most 16 MB) or a\n"
               "                        workbook (.xlsx, .ods: at most 32 MB unpacked;\n"
               "                        .xls) whose header names the\n"
               "                        columns company_name, tag_line, address_line_1,\n"
               "                        address_line_2, city, state, zip_code, phone,\n"
               "                        fax, email (or the window's captions)\n"
               "  --check               read the list and tell what is wrong with it;\n"
               "                        nothing is made and no office is started\n"
               "  --shard K/N           make only the K-th of N equal shares of the list,\n"
               "                        named as in a run of the whole list\n"
               "  --output-dir DIR      where the brochures of --batch go\n"
               "  --format FORMAT       doc (the default), pdf or both\n"
               "  --jobs N              offices working at once on a list, 1 to 8\n"
               "                        (2 on a machine with two cores or more)\n"
               "  --overwrite           replace files that exist already\n"
               "  --print               print the brochure, both sides flipped on the\n"
               "                        short edge where the printer can; prints the\n"
               "                        print service's job id\n"
               "  --printer NAME        print on NAME instead of the default printer\n"
               "  --copies N            how many brochures to print (1 to 999)\n"
               "  --print-shop          with --output FILE.pdf: a PDF/X file for a print\n"
               "                        shop, colour running on 0.125 in beyond the\n"
               "                        trimmed 11 x 8.5 in page\n"
               "  --marks               with --print-shop: crop marks and fold marks\n"
               "                        outside the bleed\n"
               "\n"
               "Colours and profiles:\n"
               "  --colour #RRGGBB      the main colour: the cover, cards and bands (also\n"
               "                        --color); text colours follow, always legible\n"
               "  --accent #RRGGBB      the accent: rules, bars, labels and numbers\n"
               "  --scheme NAME         a pair of colours made for the brochure\n"
               "  --schemes             list the schemes, one a line: name, main, accent\n"
               "  --profile NAME        a kept business: its fields, logo and colours,\n"
               "                        unless given otherwise; for --batch, what a row\n"
               "                        or the list does not give (a list's colour and\n"
               "                        accent columns give each row its own)\n"
               "  --save-profile NAME   keep the fields of --fields, the --logo and the\n"
               "                        colours under NAME; a profile kept before keeps\n"
               "                        what is not given; the window's fields stay\n"
               "  --profiles            list the profiles' names, one a line\n"
               "\n"
               "Exit status: 0 all written or the job taken, 1 some rows rejected or\n"
               "failed or nothing printed, 2 bad invocation, 130 interrupted. See\n"
               "leafwright(1).\n")
        .arg(programName, indent, QString(programName.size() + 9, QLatin1Char(' ')));
}

namespace {

// Qt's own single-dash options for the windows, with or without a value.
constexpr const char* kWindowOptionsWithValue[] = {"-platform",
                                                   "-platformpluginpath",
                                                   "-platformtheme",
                                                   "-plugin",
                                                   "-qwindowgeometry",
                                                   "-qwindowicon",
                                                   "-qwindowtitle",
                                                   "-display",
                                                   "-geometry",
                                                   "-style",
                                                   "-stylesheet",
                                                   "-session",
                                                   "-name",
                                                   "-title",
                                                   "-fontengine"};
constexpr const char* kWindowFlags[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

int windowOptionLength(const char* argument) {
    for (const char* option : kWindowOptionsWithValue)
        if (std::strcmp(argument, option) == 0)
            return 2;
    for (const char* flag : kWindowFlags)
        if (std::strcmp(argument, flag) == 0)
            return 1;
    return 0;
}

} // namespace

Invocation readCommandLine(int argc, char** argv) {
    // Qt's window options are Qt's, as they are when the windows open.
    QStringList arguments{QString::fromLocal8Bit(argv[0])};
    for (int i = 1; i < argc;) {
        const int length = windowOptionLength(argv[i]);
        if (length == 0)
            arguments << QString::fromLocal8Bit(argv[i]);
        i += std::max(length, 1);
    }
    return readCommandLine(arguments);
}

bool runsWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc;) {
        const int length = windowOptionLength(argv[i]);
        if (length == 0)
            return true;
        i += length;
    }
    return false;
}

QString missingDisplayProblem(int argc, char** argv) {
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0)
            platform = argv[i + 1];
    const bool needsServer =
        platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    if (!needsServer || qEnvironmentVariableIsSet("DISPLAY") ||
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return {};
    return QStringLiteral("no display to open the windows on; work without one with --output, "
                          "--batch or --print (see --help)");
}

} // namespace lw::cli
