#pragma once

// An output stream the office writes into across the connection, held in
// this process's memory: an export needs no temporary file.

#include <QByteArray>
#include <com/sun/star/io/XOutputStream.hpp>
#include <cppuhelper/implbase1.hxx>

#include <mutex>

namespace lw::word::office {

class MemoryOutputStream final : public cppu::WeakImplHelper1<css::io::XOutputStream> {
public:
    // What was written so far; the office has finished writing once its
    // store call has returned.
    QByteArray bytes() const;

    void SAL_CALL writeBytes(const css::uno::Sequence<sal_Int8>& data) override;
    void SAL_CALL flush() override {}
    void SAL_CALL closeOutput() override;

private:
    // The office's calls may arrive on a thread of the connection.
    mutable std::mutex m_mutex;
    QByteArray m_bytes;
    bool m_closed = false;
};

} // namespace lw::word::office
