#pragma once

#include <QString>

#include <functional>

namespace lw {

// "< Back": the working document is deleted (a failure is reported), and
// so is any other a run made, quietly; the main window comes back and the
// preview is hidden, kept with its state.
void backToMainWindow(const QString& workingDocument, const std::function<void()>& showMainWindow,
                      const std::function<void()>& hidePreview);

// Closing the preview: the working document and any other a run made go
// quietly, and pending window events run twice before the program ends.
void discardOnClose(const QString& workingDocument);

} // namespace lw
