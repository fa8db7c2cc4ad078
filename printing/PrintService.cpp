#include "printing/PrintService.h"

#include <QFile>

#include <cups/cups.h>

#include <memory>

namespace lw {
namespace {

constexpr int kConnectMilliseconds = 5000;

struct CloseConnection {
    void operator()(http_t* http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, CloseConnection>;

// The printers of one server, freed with the list.
class Printers {
public:
    explicit Printers(http_t* http) : m_count(cupsGetDests2(http, &m_dests)) {}
    ~Printers() { cupsFreeDests(m_count, m_dests); }
    Printers(const Printers&) = delete;
    Printers& operator=(const Printers&) = delete;
    int count() const { return m_count; }
    cups_dest_t* find(const QString& name) const {
        if (name.isEmpty()) {
            if (cups_dest_t* chosen = cupsGetDest(nullptr, nullptr, m_count, m_dests))
                return chosen;
            // A single printer is the one meant, default or not.
            return m_count == 1 ? m_dests : nullptr;
        }
        return cupsGetDest(name.toUtf8().constData(), nullptr, m_count, m_dests);
    }
    QStringList names() const {
        QStringList names;
        for (int i = 0; i < m_count; ++i)
            if (!m_dests[i].instance)
                names << QString::fromUtf8(m_dests[i].name);
        return names;
    }

private:
    cups_dest_t* m_dests = nullptr;
    int m_count = 0;
};

Connection connectToService() {
    return Connection(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                   kConnectMilliseconds, nullptr));
}

QString notRunning() {
    return QStringLiteral("The print service (CUPS) is not running. Start it (for example with "
                          "\"sudo systemctl start cups\"), then print again.");
}

QString option(const cups_dest_t* dest, const char* name) {
    return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
}

PrinterFacts factsOf(http_t* http, cups_dest_t* dest) {
    PrinterFacts facts;
    facts.name = QString::fromUtf8(dest->name);
    if (cups_dinfo_t* info = cupsCopyDestInfo(http, dest)) {
        facts.twoSided =
            cupsCheckDestSupported(http, dest, info, CUPS_SIDES, CUPS_SIDES_TWO_SIDED_LANDSCAPE);
        if (const char* chosen = cupsGetOption(CUPS_MEDIA, dest->num_options, dest->options))
            facts.defaultMedia = chosen;
        else if (ipp_attribute_t* media = cupsFindDestDefault(http, dest, info, CUPS_MEDIA))
            facts.defaultMedia = ippGetString(media, 0, nullptr);
        cupsFreeDestInfo(info);
    }
    return facts;
}

} // namespace

PrinterLookup findPrinter(const QString& name) {
    const Connection http = connectToService();
    if (!http)
        return {std::nullopt, notRunning()};
    const Printers printers(http.get());
    if (printers.count() == 0)
        return {std::nullopt,
                cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE &&
                        cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND
                    ? notRunning()
                    : QStringLiteral("No printer is set up. Add one in the system's printer "
                                     "settings (or with lpadmin), then print again.")};
    cups_dest_t* dest = printers.find(name);
    if (!dest && name.isEmpty())
        return {std::nullopt, QStringLiteral("No default printer is chosen. Name one with "
                                             "--printer, or choose a default in the system's "
                                             "printer settings. The printers are: %1.")
                                  .arg(printers.names().join(QStringLiteral(", ")))};
    if (!dest)
        return {std::nullopt, QStringLiteral("There is no printer called \"%1\". The printers "
                                             "are: %2.")
                                  .arg(name, printers.names().join(QStringLiteral(", ")))};
    const QString printerName = QString::fromUtf8(dest->name);
    if (option(dest, "printer-state") == QLatin1String("5"))
        return {std::nullopt, QStringLiteral("The printer \"%1\" is paused. Resume it in the "
                                             "system's printer settings (or with \"cupsenable "
                                             "%1\"), then print again.")
                                  .arg(printerName)};
    if (option(dest, "printer-is-accepting-jobs") == QLatin1String("false"))
        return {std::nullopt, QStringLiteral("The printer \"%1\" is rejecting jobs. Let it accept "
                                             "them in the system's printer settings (or with "
                                             "\"cupsaccept %1\"), then print again.")
                                  .arg(printerName)};
    return {factsOf(http.get(), dest), {}};
}

PrintResult sendToPrinter(const QString& pdfFile, const QString& title, const PrintRequest& request,
                          const PrinterFacts& printer) {
    const Connection http = connectToService();
    if (!http)
        return {0, notRunning()};
    cups_option_t* options = nullptr;
    int count = 0;
    for (const auto& [name, value] : printOptions(request, printer))
        count = cupsAddOption(name.constData(), value.constData(), count, &options);
    const int job = cupsPrintFile2(http.get(), printer.name.toUtf8().constData(),
                                   QFile::encodeName(pdfFile).constData(),
                                   title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job <= 0)
        return {0, QStringLiteral("The printer \"%1\" did not take the job: %2")
                       .arg(printer.name, QString::fromUtf8(cupsLastErrorString()))};
    return {job, {}};
}

} // namespace lw
