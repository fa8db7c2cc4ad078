#pragma once

// One session on the shared office process: "Word.Application".

#include "wordgen/WordObjects.h"
#include "wordgen/libreoffice/SessionState.h"

namespace lw::word::office {

class OfficeSession : public WordApplication {
public:
    // Starts the office first when none runs; fails with a description.
    OfficeSession();
    // A session dropped without quit still closes its documents.
    ~OfficeSession() override;

    Ref<WordDocuments> Documents() override;
    void setDisplayAlerts(bool value) override;
    Ref<WordDocument> ActiveDocument() override;
    void quit() override;

private:
    void closeDocuments() noexcept;
    // The session counts as open no more.
    void end() noexcept;

    std::shared_ptr<SessionState> m_state;
};

} // namespace lw::word::office
