#include "wordgen/IsInstalled.h"

#include "shell/ProgramEnd.h"
#include "shell/Prompts.h"
#include "wordgen/ObjectRegistry.h"

#include <QStringList>

namespace lw {

QString wordMissingMessage() {
    return QStringList{
        QStringLiteral("Error 842001. A normal instance of Word could not be created."),
        QStringLiteral("1. Please make sure Word is installed on this computer."),
        QStringLiteral("2. Please open Word normally and make sure a blank document opens "
                       "immediately without any interrupting window (such as an Word file "
                       "recovery window)."),
        QStringLiteral("3. Please make sure that when you double-click on a DOC or DOCX file "
                       "that Word opens normally without any interrupting messages."),
        QStringLiteral("4. All versions of Word are supported by this software except for the "
                       "rare Word Starter and Student editions."),
    }
        .join(QStringLiteral("\r\n\r\n"));
}

void CheckWordInstalled() {
    word::Ref<word::WordApplication> word;
    try {
        word = word::CreateObject(QString::fromLatin1(word::kWordApplicationClass));
    } catch (...) {
    }
    if (!word) {
        prompts().message(wordMissingMessage());
        endProgram(0);
    }
    try {
        word->quit();
    } catch (...) {
    }
}

} // namespace lw
