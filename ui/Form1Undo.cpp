// The main window's one-step undo of its data commands.
#include "ui/Form1.h"

#include "shell/Prompts.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

namespace lw {

void Form1::setUpUndo() {
    m_undo = new QShortcut(QKeySequence::Undo, this);
    m_undo->setEnabled(false);
    connect(m_undo, &QShortcut::activated, this, [this] { undoDataCommand(); });
    // What the user types after a command is theirs: putting the values from
    // before the command back would lose it.
    for (QLineEdit* field : m_text1)
        connect(field, &QLineEdit::textEdited, this, [this] { dropUndo(); });
}

Form1::FieldValues Form1::fieldValues() const {
    FieldValues values;
    for (int index = 0; index < kFieldCount; ++index)
        values.at(std::size_t(index)) = Text1(index)->text();
    return values;
}

void Form1::offerUndo(const FieldValues& before) {
    // A command that changed nothing (the sample loaded twice) keeps the way
    // back to what was there before the first.
    if (before == fieldValues())
        return;
    m_valuesBeforeCommand = before;
    m_logoBeforeCommand.reset();
    m_undoAction = nullptr;
    m_undo->setEnabled(true);
}

void Form1::offerUndoAction(std::function<void()> undo) {
    m_valuesBeforeCommand.reset();
    m_logoBeforeCommand.reset();
    m_undoAction = std::move(undo);
    m_undo->setEnabled(true);
}

void Form1::dropUndo() {
    m_valuesBeforeCommand.reset();
    m_logoBeforeCommand.reset();
    m_undoAction = nullptr;
    m_undo->setEnabled(false);
}

bool Form1::isWindowUndo(QEvent* event) const {
    // A field offers Ctrl+Z to itself first; while a command can be undone
    // the window takes it (the field has no history since the command set
    // its text).
    return event->type() == QEvent::ShortcutOverride && canUndoDataCommand() &&
           static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo);
}

void Form1::undoDataCommand() {
    if (m_undoAction) {
        const std::function<void()> undo = std::move(m_undoAction);
        dropUndo();
        undo();
        return;
    }
    if (m_logoBeforeCommand) {
        const std::optional<StoredLogo> logo = *m_logoBeforeCommand;
        dropUndo();
        if (const QString problem = storeLogo(logo); !problem.isEmpty())
            prompts().message(problem);
        keepInProfile(true);
        return;
    }
    if (!m_valuesBeforeCommand)
        return;
    const FieldValues values = *m_valuesBeforeCommand;
    dropUndo();
    // Reported as the window's key handler, where Ctrl+Z arrives.
    fillInScreenOrder(QStringLiteral("Form_KeyDown"), [&](const BrochureField& field) {
        return values.at(std::size_t(field.index));
    });
}

} // namespace lw
