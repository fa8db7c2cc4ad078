#pragma once

#include "brochure/ColourScheme.h"
#include "shell/PointerState.h"

#include <QString>

namespace lw {

class GuardedProcedure;

// Where the template's fields come from: a field's token and its current
// text, read afresh at each use.
class FieldSource {
public:
    virtual ~FieldSource() = default;
    virtual QString fieldToken(int index) = 0;
    virtual QString fieldText(int index) = 0;
    // A logo made ready for the cover (see LogoFile), or empty for none.
    virtual QString logoFile() { return {}; }
    // The colours the brochure is made in.
    virtual ColourChoice colours() { return defaultColours(); }
};

// What a generation run needs from the windows around it.
class GenerationHost : public FieldSource {
public:
    // The main window's mBusy flag.
    virtual bool& busy() = 0;
    virtual void setPointer(PointerState state) = 0;
    // The preview: its picture from a file, its working document, showing it.
    virtual void loadPreviewPicture(const QString& path) = 0;
    virtual void setPreviewWordFile(const QString& path) = 0;
    virtual void showPreview() = 0;
    virtual void hideMainWindow() = 0;
};

// Observes the phases of a run, for measurements.
class GenerationObserver {
public:
    virtual ~GenerationObserver() = default;
    virtual void phase(const char* name) = 0;
};
void setGenerationObserver(GenerationObserver* observer);
// Tells the observer, if any, that a run reached the named phase. Names of
// the parts of one phase share its name before a colon ("snapshot: open").
void reportPhase(const char* name);

// The filling part of a run, steps 106 to 194 under the caller's trap:
// writes the embedded template to the working folder, has the engine replace
// every field's token in it and saves the result as a new working document,
// whose path it returns (also when a step failed: the caller then finds no
// file there). The template copy is gone afterwards.
QString FillTemplate(GuardedProcedure& trap, FieldSource& fields);

// The "Start Creating Template" command: fills the embedded template with the
// fields through the engine, saves the working document, takes a picture of
// its page and hands both to the preview. Every failing step is reported and
// the run goes on, so it always reaches its end and clears the busy flag.
void RunGeneration(GenerationHost& host);

} // namespace lw
