#include "shell/Prompts.h"

#include "shell/AppInfo.h"
#include "shell/ErrorReport.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include <algorithm>

namespace lw {
namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

// "Word Files (*.doc)|*.doc|..." — the patterns are already part of each
// description.
QStringList qtFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i < parts.size(); i += 2)
        filters << parts.at(i);
    return filters;
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
    void warning(const QString& text) override {
        QMessageBox box(QMessageBox::Warning, applicationTitle(), text, QMessageBox::Ok,
                        dialogParent());
        box.exec();
    }
    bool askYesNo(const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text,
                        QMessageBox::Yes | QMessageBox::No, dialogParent());
        return box.exec() == QMessageBox::Yes;
    }
    QString saveFileName(const QString& title, const QString& filter, int* chosenFilter) override {
        const QStringList filters = qtFilters(filter);
        QString selected = filters.value(0);
        const QString name = QFileDialog::getSaveFileName(
            dialogParent(), title, QString(), filters.join(QStringLiteral(";;")), &selected,
            QFileDialog::DontConfirmOverwrite);
        if (chosenFilter)
            *chosenFilter = int(std::max<qsizetype>(0, filters.indexOf(selected)));
        return name;
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
