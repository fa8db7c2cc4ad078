#include "cli/Terminal.h"

#include <cstdio>
#include <unistd.h>

namespace lw::cli {
namespace {

void writeTo(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

void write(const QString& text) {
    writeTo(stderr, text);
}

} // namespace

void printOut(const QString& text) {
    writeTo(stdout, text);
}

void printError(const QString& text) {
    write(QStringLiteral("leafwright: ") + text + QLatin1Char('\n'));
}

void printLine(const QString& text) {
    write(text + QLatin1Char('\n'));
}

Progress::Progress() : m_terminal(::isatty(STDERR_FILENO) == 1) {}

void Progress::show(const QString& line) {
    if (!m_terminal)
        return;
    write(QStringLiteral("\r\033[K") + line);
    m_shown = true;
}

void Progress::print(const QString& line) {
    clear();
    printLine(line);
}

void Progress::clear() {
    if (m_shown)
        write(QStringLiteral("\r\033[K"));
    m_shown = false;
}

} // namespace lw::cli
