#include "wordgen/GenerationRun.h"

#include "brochure/BrochureProduct.h"
#include "brochure/LogoPicture.h"
#include "shell/FileRoutines.h"
#include "shell/GuardedProcedure.h"
#include "shell/InstanceRecord.h"
#include "shell/WorkingDocuments.h"
#include "wordgen/ObjectRegistry.h"
#include "wordgen/PageSnapshot.h"
#include "wordgen/TemplateColours.h"
#include "wordgen/TemplateFile.h"
#include "wordgen/WorkingFiles.h"

#include <QFile>
#include <QImageReader>
#include <QRandomGenerator>

namespace lw {
namespace {

using namespace word;

GenerationObserver* g_observer = nullptr;

QByteArray readTemplateResource() {
    QFile resource(QString::fromLatin1(kTemplateResource));
    if (!resource.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("Resource not found: %1").arg(resource.fileName()));
    return resource.readAll();
}

// Walks a collection item by item for GuardedProcedure::forEach.
template <class T> class ItemWalker {
public:
    bool start(const Ref<WordCollection<T>>& collection) {
        m_collection = collection;
        m_count = m_collection->Count();
        m_index = 1;
        m_item = m_count >= 1 ? m_collection->Item(1) : Ref<T>();
        return m_count >= 1;
    }
    bool advance() {
        m_item.reset();
        if (!m_collection)
            throw AutomationError(QStringLiteral("For loop not initialized"));
        if (++m_index > m_count)
            return false;
        m_item = m_collection->Item(m_index);
        return true;
    }
    const Ref<T>& item() const { return m_item; }

private:
    Ref<WordCollection<T>> m_collection;
    Ref<T> m_item;
    int m_count = 0;
    int m_index = 0;
};

} // namespace

void setGenerationObserver(GenerationObserver* observer) {
    g_observer = observer;
}

void reportPhase(const char* name) {
    if (g_observer)
        g_observer->phase(name);
}

QString FillTemplate(GuardedProcedure& trap, FieldSource& fields) {
    QByteArray templateBytes;
    trap.step(106, [&] { templateBytes = readTemplateResource(); });
    QString templatePath;
    // Always a file of this run's own: one already there under that name may
    // be anyone's and is neither used nor deleted.
    trap.step(108, [&] { templatePath = writeOwnTemplate(templateBytes); });
    reportPhase("template written");

    Ref<WordApplication> W;
    Ref<WordDocument> D;
    trap.step(110, [&] { W = CreateObject(QString::fromLatin1(kWordApplicationClass)); });
    trap.step(112, [] {});
    trap.step(114, [&] { D = W->Documents()->Open(templatePath, true); });
    reportPhase("open");

    // Story pass: each field in turn through every story range.
    trap.forCount(116, 0, kFieldCount - 1, 152, [&](int i) {
        ItemWalker<WordRange> stories;
        trap.forEach(
            118, [&] { return stories.start(D->StoryRanges()); }, 150,
            [&] { return stories.advance(); },
            [&] {
                Ref<WordRange> R;
                Ref<WordFind> F;
                trap.step(120, [&] { R = stories.item(); });
                trap.step(122, [&] { R->Find()->ClearFormatting(); });
                trap.step(124, [&] { R->Find()->Replacement()->ClearFormatting(); });
                trap.step(126, [&] { F = R->Find(); });
                trap.step(128, [&] { F->setText(fields.fieldToken(i)); });
                trap.step(130, [&] { F->Replacement()->setText(fields.fieldText(i)); });
                trap.step(132, [&] { F->setForward(true); });
                trap.step(134, [&] { F->setWrap(kWrapContinue); });
                trap.step(136, [&] { F->setFormat(false); });
                trap.step(138, [&] { F->setMatchCase(false); });
                trap.step(140, [&] { F->setMatchWholeWord(false); });
                trap.step(142, [&] { F->setMatchWildcards(false); });
                trap.step(144, [&] { F->setMatchSoundsLike(false); });
                trap.step(146, [&] {
                    F->setMatchAllWordForms(false);
                    F.reset();
                });
                trap.step(148, [&] {
                    FindExecuteArgs replaceAll;
                    replaceAll.Replace = kReplaceAll;
                    R->Find()->Execute(replaceAll);
                    R.reset();
                });
            });
    });
    reportPhase("story pass");

    // Shape pass: every field again inside each shape's text.
    ItemWalker<WordShape> shapes;
    trap.forEach(
        154, [&] { return shapes.start(D->Shapes()); }, 164, [&] { return shapes.advance(); },
        [&] {
            const Ref<WordShape>& S = shapes.item();
            if (trap.condition(156, [&] { return S->TextFrame()->HasText(); })) {
                trap.forCount(158, 0, kFieldCount - 1, 162, [&](int i) {
                    trap.step(160, [&] {
                        FindExecuteArgs positional;
                        positional.FindText = fields.fieldToken(i);
                        positional.ReplaceWith = fields.fieldText(i);
                        positional.Replace = kReplaceAll;
                        S->TextFrame()->TextRange()->Find()->Execute(positional);
                    });
                });
            }
        });
    reportPhase("shape pass");

    // The design in the company's colours, every part set on every run: a
    // document filled before keeps no colour of an earlier run.
    if (D) {
        trap.step(163, [&] {
            const ColourChoice colours = fields.colours();
            D->SetDesignColours(designColours(brandColours(colours)), colours == defaultColours());
        });
        reportPhase("colours");
    }

    // The company's logo on the cover, when there is one.
    if (const QString logo = fields.logoFile(); !logo.isEmpty()) {
        trap.step(165, [&] {
            const QRectF at = logoPlacement(QImageReader(logo).size());
            D->AddPicture(logo, at.x(), at.y(), at.width(), at.height());
        });
        reportPhase("logo");
    }

    // A working document name not taken yet. The generator is seeded once
    // from the system's entropy, so names drawn in the same instant differ.
    QString Name;
    bool taken = false;
    do {
        trap.step(166, [&] { Name = QString::fromLatin1(kWorkingDocumentPrefix); });
        trap.forCount(168, 1, 8, 176, [&](int) {
            int d = 0;
            trap.step(170, [] {});
            trap.step(172, [&] { d = drawNameDigit(*QRandomGenerator::global()); });
            trap.step(174, [&] { Name += QChar(u'0' + d); });
        });
        trap.step(178, [&] {
            Name = temporaryPath(Name + QString::fromLatin1(kWorkingDocumentExtension));
        });
        taken = false;
        // The name is taken by making an empty file of ours under it, so
        // the office never saves through a file or link planted there.
        trap.step(180, [&] {
            recordPathToMake(Name);
            taken = !reserveWorkingFile(Name);
        });
    } while (taken);

    trap.step(182, [&] {
        // Listed before the engine writes it: a save that fails part-way may
        // still leave a file, which must not outlive the program.
        addWorkingDocument(Name);
        try {
            D->SaveAs(Name);
        } catch (...) {
            // No empty stand-in for a document that was never written.
            DeleteFileQuietly(Name);
            throw;
        }
        keepPrivate(Name);
    });
    trap.step(184, [&] { W->setDisplayAlerts(false); });
    trap.step(186, [&] { D->Close(); });
    trap.step(188, [&] { W->quit(); });
    trap.step(190, [&] { D.reset(); });
    trap.step(192, [&] { W.reset(); });
    trap.step(194, [&] { DeleteFileQuietly(templatePath); });
    return Name;
}

void RunGeneration(GenerationHost& host) {
    GuardedProcedure trap(QStringLiteral("Form1"), QStringLiteral("PushButton6_Click"));
    bool alreadyRunning = false;
    trap.step(100, [&] { alreadyRunning = host.busy(); });
    if (alreadyRunning)
        return;
    reportPhase("start");
    trap.step(102, [&] { host.busy() = true; });
    trap.step(104, [&] { host.setPointer(PointerState::Busy); });

    const QString Name = FillTemplate(trap, host);
    reportPhase("save");
    // The snapshot reports its own parts.
    trap.step(196, [&] { SaveDocAsJPG(Name); });
    trap.step(198, [&] {
        host.loadPreviewPicture(temporaryPath(QString::fromLatin1(kSnapshotFileName)));
    });
    reportPhase("preview load: picture set");
    trap.step(200, [&] { host.setPointer(PointerState::Default); });
    trap.step(202, [&] { host.setPreviewWordFile(Name); });
    trap.step(204, [&] { host.showPreview(); });
    trap.step(206, [&] { host.hideMainWindow(); });
    trap.step(208, [&] {
        try {
            deleteSnapshotFile();
        } catch (...) {
        }
    });
    reportPhase("preview load: shown");
    trap.step(210, [&] { host.busy() = false; });
}

} // namespace lw
