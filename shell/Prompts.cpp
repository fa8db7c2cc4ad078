#include "shell/Prompts.h"

#include "shell/AppInfo.h"
#include "shell/ErrorReport.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace lw {
namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

// "Word Files (*.doc)|*.doc" — the patterns are already part of the description.
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i < parts.size(); i += 2)
        filters << parts.at(i);
    return filters.join(QStringLiteral(";;"));
}

class DialogPrompts final : public Prompts {
public:
    void applicationError(const QString& text) override {
        QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kErrorReportTitle), text,
                        QMessageBox::Ok, dialogParent());
        box.exec();
    }
    void message(const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok,
                        dialogParent());
        box.exec();
    }
    bool askYesNo(const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text,
                        QMessageBox::Yes | QMessageBox::No, dialogParent());
        return box.exec() == QMessageBox::Yes;
    }
    QString saveFileName(const QString& title, const QString& filter) override {
        return QFileDialog::getSaveFileName(dialogParent(), title, QString(), qtFilter(filter),
                                            nullptr, QFileDialog::DontConfirmOverwrite);
    }
};

Prompts* g_replacement = nullptr;

} // namespace

Prompts& prompts() {
    static DialogPrompts dialogs;
    return g_replacement ? *g_replacement : dialogs;
}

void setPrompts(Prompts* replacement) {
    g_replacement = replacement;
}

} // namespace lw
