#include "ui/Form1.h"

#include "brochure/FieldLength.h"
#include "shell/Failure.h"
#include "shell/Prompts.h"
#include "ui/Form2.h"
#include "wordgen/GenerationRun.h"
#include "wordgen/PageSnapshot.h"
#include "wordgen/PictureResolution.h"

#include <QLineEdit>

namespace lw {
namespace {

// The main window and the preview as a generation run sees them.
class Form1Host final : public GenerationHost {
public:
    explicit Form1Host(Form1& form) : m_form(form) {}
    bool& busy() override { return m_form.mBusy; }
    void setPointer(PointerState state) override { m_form.pointer().set(state); }
    QString fieldToken(int index) override {
        return m_form.Text1(index)->property("Tag").toString();
    }
    QString fieldText(int index) override { return m_form.Text1(index)->text(); }
    QString logoFile() override {
        m_logo = storedLogoPath();
        return m_logo;
    }
    ColourChoice colours() override { return m_form.colours(); }
    void loadPreviewPicture(const QString& path) override {
        QString problem;
        // The file keeps the picture's logical size as its resolution.
        const QImage picture = withRatioFromResolution(readSnapshotPicture(&problem));
        reportPhase("preview load: temp.bmp read");
        // Without a new picture the preview opens empty, never showing the
        // page of an earlier run as this run's result.
        Form2::instance().setDocument(takeSnapshotDocument(), !m_logo.isEmpty());
        Form2::instance().setPicture(picture);
        if (picture.isNull())
            throw Failure(QStringLiteral("Cannot load the picture %1: %2").arg(path, problem));
    }
    void setPreviewWordFile(const QString& path) override {
        Form2::instance().mWordFile = path;
        Form2::instance().setBrochureTitle(m_form.Text1(kTitleFieldIndex)->text());
    }
    void showPreview() override { Form2::instance().Show(); }
    void hideMainWindow() override { m_form.hide(); }

private:
    Form1& m_form;
    QString m_logo; // the logo this run puts on the cover, if any
};

} // namespace

void Form1::PushButton6_Click() {
    // Refused before anything starts: no engine is handed such a text.
    for (int i = 0; i < kFieldCount; ++i) {
        const qsizetype stored = m_overlongStored[std::size_t(i)];
        if (const QString problem =
                overlongFieldProblem(i, stored ? stored : Text1(i)->text().size());
            !problem.isEmpty()) {
            prompts().message(problem);
            return;
        }
    }
    Form1Host host(*this);
    RunGeneration(host);
}

} // namespace lw
