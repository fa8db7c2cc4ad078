#include "ui/Form1.h"

#include "ui/LogoActions.h"
#include "ui/ProfileActions.h"

#include "brochure/BrochureProduct.h"
#include "brochure/FieldLength.h"
#include "brochure/FieldStore.h"
#include "shell/AppInfo.h"
#include "shell/DataFiles.h"
#include "shell/Failure.h"
#include "shell/FileRoutines.h"
#include "shell/GuardedProcedure.h"
#include "shell/ProgramEnd.h"
#include "shell/Prompts.h"
#include "ui/Colours.h"
#include "ui/CursorFile.h"
#include "ui/FieldBox.h"
#include "ui/FixedWindow.h"
#include "ui/Form1Layout.h"
#include "ui/HoverPointerRule.h"
#include "ui/MainWindow.h"
#include "ui/PushButtonStyle.h"
#include "ui/Twips.h"
#include "ui/UserInput.h"
#include "wordgen/IsInstalled.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace lw {
namespace {
// A field's box shows at most this much of a stored text, which it lays out
// in a few milliseconds.
constexpr qsizetype kLongestShownText = 100000;

QRect layoutRect(const form1::Box& box) {
    return twipsRect(box.left, box.top, box.width, box.height);
}
} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Form1"));
    setUpFixedWindow(this, form1::kClientWidth, form1::kClientHeight);
    buildControls();
    for (QLineEdit* box : m_text1)
        setUpFieldBox(box);
    setUpUndo();
    setLogoWindow(this);
    LogoDrop::acceptOn(this);
    setMainWindow(this);
    setUpLookActions(this);
}

void Form1::buildControls() {
    m_frame1 = new QGroupBox(QStringLiteral("Brochure Data"), this);
    m_frame1->setGeometry(layoutRect(form1::kFrame1));
    setBackColour(m_frame1, kWhite);
    m_frame1->setMouseTracking(true);
    m_frame1->installEventFilter(this);

    for (const BrochureField& field : kPlaceholderTable) {
        auto* edit = new QLineEdit(m_frame1);
        edit->setObjectName(QStringLiteral("Text1_%1").arg(field.index));
        edit->setGeometry(layoutRect(form1::kFields.at(std::size_t(field.index))));
        edit->setProperty("Tag", QString::fromLatin1(field.token));
        edit->setProperty("TabIndex", field.screenPosition);
        edit->installEventFilter(this);
        const int index = field.index;
        connect(edit, &QLineEdit::textChanged, this, [this, index] { Text1_Change(index); });
        m_text1.at(std::size_t(index)) = edit;
    }
    for (const auto& label : form1::kLabels) {
        auto* caption = new QLabel(
            QString::fromLatin1(kPlaceholderTable.at(std::size_t(label.fieldIndex)).caption),
            m_frame1);
        caption->setObjectName(QStringLiteral("Label2_%1").arg(label.index));
        caption->setGeometry(layoutRect(label.box));
        caption->setProperty("TabIndex", label.tabIndex);
        setBackColour(caption, kWhite);
        // The captions were fitted to a tighter renderer of the same font;
        // a hair less spacing keeps the longest ones whole in their boxes.
        QFont tight = caption->font();
        tight.setLetterSpacing(QFont::AbsoluteSpacing, -0.4);
        caption->setFont(tight);
        // The caption names its field, to a screen reader too (which would
        // otherwise name every field after the frame).
        QLineEdit* field = Text1(label.fieldIndex);
        caption->setBuddy(field);
        field->setAccessibleName(caption->text());
        m_label2.at(std::size_t(label.index)) = caption;
    }

    const auto button = [this](const form1::ButtonLayout& layout) {
        QPushButton* b = makePushButton(this, layout.caption, layout.box.left, layout.box.top,
                                        layout.box.width, layout.box.height);
        b->setProperty("TabIndex", layout.tabIndex);
        b->installEventFilter(this);
        return b;
    };
    m_pushButton6 = button(form1::kPushButton6);
    m_pushButton3 = button(form1::kPushButton3);
    m_pushButton4 = button(form1::kPushButton4);
    connect(m_pushButton6, &QPushButton::clicked, this, [this] { PushButton6_Click(); });
    connect(m_pushButton3, &QPushButton::clicked, this, [this] { PushButton3_Click(); });
    connect(m_pushButton4, &QPushButton::clicked, this, [this] { PushButton4_Click(); });

    // Tab order: the fields down the form, then the generation button, then
    // the two data commands.
    QList<QWidget*> chain;
    for (int index : kScreenOrder)
        chain << Text1(index);
    chain << m_pushButton6 << m_pushButton3 << m_pushButton4;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}

void Form1::Form_Load() {
    GuardedProcedure load(QStringLiteral("Form1"), QStringLiteral("Form_Load"));
    load.step(100, [&] { ApplySkin(this, m_skin, programFile(QStringLiteral("x/o.cjs"))); });
    load.step(104, [&] {
        setWindowTitle(QString::fromLatin1(kProductTitle));
        setWindowIcon(applicationIcon());
        setApplicationTitle(shortTitle(QString::fromLatin1(kProductTitle)));
    });
    const QString handCursor = dataFile(QStringLiteral("HAND-M.CUR"));
    if (load.condition(122, [&] { return PathExists(handCursor); }))
        load.step(124, [&] { m_pointer.setCustomCursor(loadCursorFile(handCursor)); });
    // Before anything is written: a damaged settings file is kept and what
    // it holds recovered, and the user hears once if nothing will be kept.
    load.step(126, [&] {
        const StoreCheck check = FieldStore::checkAtStartUp();
        m_toldNotKept = check.notKept;
        if (!check.notice.isEmpty())
            prompts().message(check.notice);
    });
    // Restoring shows the stored values and writes nothing back, so the
    // file stays exactly as it was.
    m_restoring = true;
    load.forCount(128, 0, kFieldCount - 1, 132, [&](int index) {
        load.step(130, [&] {
            const QString stored = FieldStore::read(index);
            // Laying out millions of characters would keep the window from
            // the user for minutes.
            m_overlongStored[std::size_t(index)] =
                stored.size() > kLongestShownText ? stored.size() : 0;
            setFieldText(index, stored.left(kLongestShownText));
        });
    });
    m_restoring = false;
    load.step(133, [&] { loadProfiles(); });
    load.step(134, [&] { CheckWordInstalled(); });
}

void Form1::setFieldText(int index, const QString& text) {
    Text1(index)->setText(text);
}

void Form1::Text1_Change(int index) {
    if (m_restoring)
        return;
    m_overlongStored[std::size_t(index)] = 0;
    try {
        keepInProfile();
        FieldStore::write(index, Text1(index)->text());
        m_toldNotKept = false;
    } catch (const Failure& failure) {
        // Typing goes on. The user hears once that the text is not kept,
        // not at every keystroke or for every field a command sets, and
        // again only after the store has worked in between.
        if (!m_toldNotKept) {
            m_toldNotKept = true;
            prompts().message(failure.description());
        }
    }
}

void Form1::fillInScreenOrder(const QString& procedure,
                              const std::function<QString(const BrochureField&)>& valueOf) {
    GuardedProcedure command(QStringLiteral("Form1"), procedure);
    // One numbered step per field, down the form from line 100.
    for (int position = 0; position < kFieldCount; ++position) {
        const BrochureField& field = kPlaceholderTable.at(std::size_t(kScreenOrder.at(position)));
        command.step(100 + 2 * position, [&] { setFieldText(field.index, valueOf(field)); });
    }
}

void Form1::PushButton3_Click() {
    const FieldValues before = fieldValues();
    fillInScreenOrder(QStringLiteral("PushButton3_Click"),
                      [](const BrochureField&) { return QString(); });
    offerUndo(before);
}

void Form1::PushButton4_Click() {
    const FieldValues before = fieldValues();
    fillInScreenOrder(QStringLiteral("PushButton4_Click"),
                      [](const BrochureField& field) { return QString::fromUtf8(field.sample); });
    offerUndo(before);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Hidden while the preview is up, the window takes no input: a press
    // that waited in the queue while a run held the event loop reaches the
    // hidden window afterwards and must do nothing.
    if (isHidden() && testAttribute(Qt::WA_WState_ExplicitShowHide) && isUserInput(type))
        return true;
    if (isWindowUndo(event))
        return true;
    if (type == QEvent::FocusIn) {
        // The whole text is selected on arrival, by tab or by click; a click
        // places the cursor after the focus arrives, so select afterwards.
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            edit->selectAll();
            QTimer::singleShot(0, edit, [edit = QPointer<QLineEdit>(edit)] {
                if (edit && edit->hasFocus())
                    edit->selectAll();
            });
        }
    } else {
        HoverPointerRule(m_pointer, watched, event, {m_pushButton6, m_pushButton3, m_pushButton4},
                         {this, m_frame1});
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram(0);
}

} // namespace lw
