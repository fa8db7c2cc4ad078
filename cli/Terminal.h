#pragma once

#include <QString>

namespace lw::cli {

// Text as it stands on standard output.
void printOut(const QString& text);
// "leafwright: <text>" on standard error.
void printError(const QString& text);
// One line on standard error.
void printLine(const QString& text);

// A progress line on standard error that rewrites itself, shown only when
// standard error is a terminal; lines printed through it stay above it.
class Progress {
public:
    Progress();
    void show(const QString& line);
    void print(const QString& line);
    void clear();

private:
    bool m_terminal = false;
    bool m_shown = false;
};

} // namespace lw::cli
