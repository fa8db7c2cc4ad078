#pragma once

#include "shell/Prompts.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>

namespace lw::test {

// Answers the program's dialogs without a person and records what was shown.
// Installed for its lifetime.
class FakePrompts final : public Prompts {
public:
    FakePrompts() { setPrompts(this); }
    ~FakePrompts() override { setPrompts(nullptr); }

    void applicationError(const QString& text) override { errors << text; }
    void message(const QString& text) override { messages << text; }
    bool askYesNo(const QString& text) override {
        questions << text;
        return yesNoAnswers.isEmpty() ? false : yesNoAnswers.takeFirst();
    }
    QString saveFileName(const QString& title, const QString& filter, int* chosenFilter) override {
        saveDialogs << title + QLatin1Char('|') + filter;
        if (chosenFilter)
            *chosenFilter = saveFilterAnswers.isEmpty() ? 0 : saveFilterAnswers.takeFirst();
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }

    // The line numbers of the error reports shown, in order.
    QList<int> errorLines() const {
        static const QRegularExpression line(QStringLiteral("at line (\\d+)\\r\\r"));
        QList<int> lines;
        for (const QString& text : errors)
            lines << line.match(text).captured(1).toInt();
        return lines;
    }

    QStringList errors;
    QStringList messages;
    QStringList questions;
    QStringList saveDialogs;
    QList<bool> yesNoAnswers;
    QStringList saveAnswers;
    // The filter each answer leaves selected; the first when none is given.
    QList<int> saveFilterAnswers;
};

} // namespace lw::test
