#pragma once

#include <QMimeData>

#include <memory>

namespace lw {

// What the user has on the clipboard, every format of it, taken when this is
// made and put back by restore() (at the latest when it goes away), so that
// something passing through the clipboard in between does not cost the user
// what they copied. An empty clipboard is left empty again.
class KeptClipboard {
public:
    KeptClipboard();
    ~KeptClipboard();
    KeptClipboard(const KeptClipboard&) = delete;
    KeptClipboard& operator=(const KeptClipboard&) = delete;

    void restore();

private:
    std::unique_ptr<QMimeData> m_kept;
    bool m_restored = false;
};

} // namespace lw
