#pragma once

#include <QString>

namespace lw {

// Every modal question and message the program shows goes through here, so
// tests can answer them without a person.
class Prompts {
public:
    virtual ~Prompts() = default;
    // Warning icon, title "Application Error", OK only.
    virtual void applicationError(const QString& text) = 0;
    // No icon, OK only, the application's title.
    virtual void message(const QString& text) = 0;
    // Warning icon, OK only, the application's title: something outside the
    // program stands in the way (a paused printer), not a fault of its own.
    virtual void warning(const QString& text) { message(text); }
    // No icon, Yes and No, the application's title. True for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // A Save dialog that asks no overwrite question and adds no extension.
    // The filter is written "Description (*.ext)|*.ext", several joined by
    // "|"; the first is preselected. Empty when cancelled; chosenFilter, when
    // given, receives the position of the filter the user left selected.
    virtual QString saveFileName(const QString& title, const QString& filter,
                                 int* chosenFilter = nullptr) = 0;
};

// The prompts in use: the real dialogs unless a test installed its own.
Prompts& prompts();
// Installs replacement prompts (nullptr restores the real dialogs). The caller
// keeps ownership.
void setPrompts(Prompts* replacement);

} // namespace lw
