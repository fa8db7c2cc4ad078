#include "wordgen/IsInstalled.h"

#include "shell/ProgramEnd.h"
#include "shell/Prompts.h"
#include "wordgen/ObjectRegistry.h"

#include <QStringList>

namespace lw {

QString wordMissingMessage() {
    return QStringList{
        QStringLiteral(
            "Error 842001. A normal instance of LibreOffice Writer could not be created."),
        QStringLiteral("1. Please make sure LibreOffice Writer is installed on this computer: "
                       "the Debian packages libreoffice-writer and libreoffice-draw (sudo apt "
                       "install libreoffice-writer libreoffice-draw)."),
        QStringLiteral("2. Please make sure LibreOffice starts normally: the command soffice "
                       "--headless --version must print its version at once, without any "
                       "error message."),
        QStringLiteral("3. Please make sure that when you double-click on a DOC or DOCX file "
                       "that LibreOffice Writer opens normally without any interrupting "
                       "messages."),
        QStringLiteral("4. Every LibreOffice version of Debian 12 and later is supported by "
                       "this software, the packages libreoffice-writer-nogui and "
                       "libreoffice-draw-nogui for a computer without a desktop included."),
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
