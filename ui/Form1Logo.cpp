// The main window keeps the company's logo and makes the brochure with it.
#include "shell/FileRoutines.h"
#include "shell/Prompts.h"
#include "shell/WorkingDocuments.h"
#include "ui/Form1.h"
#include "ui/Form2.h"

#include <QShortcut>

namespace lw {

void Form1::changeLogo(const std::optional<StoredLogo>& logo) {
    if (mBusy)
        return;
    std::optional<StoredLogo> before = readStoredLogo();
    if (const QString problem = storeLogo(logo); !problem.isEmpty()) {
        prompts().message(problem);
        return;
    }
    m_valuesBeforeCommand.reset();
    m_undoAction = nullptr;
    m_logoBeforeCommand = std::move(before);
    m_undo->setEnabled(true);
    keepInProfile(true);
    // Made again at once, so the preview shows the brochure with its logo.
    makeBrochureAgain();
}

void Form1::makeBrochureAgain() {
    // The document shown before is not needed any more.
    Form2& preview = Form2::instance();
    const QString earlier = preview.mWordFile;
    PushButton6_Click();
    if (!earlier.isEmpty() && preview.mWordFile != earlier) {
        DeleteFileQuietly(earlier);
        forgetWorkingDocument(earlier);
    }
}

} // namespace lw
