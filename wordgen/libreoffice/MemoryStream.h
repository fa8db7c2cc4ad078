#pragma once

// A stream the office can write a picture into and seek in, across the
// connection, held in this process's memory. The graphic provider stores
// into a stream only when it can seek in it, unlike a filter's export.

#include <QByteArray>
#include <com/sun/star/io/XInputStream.hpp>
#include <com/sun/star/io/XOutputStream.hpp>
#include <com/sun/star/io/XSeekable.hpp>
#include <com/sun/star/io/XSeekableInputStream.hpp>
#include <com/sun/star/io/XStream.hpp>
#include <com/sun/star/io/XTruncate.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase5.hxx>

#include <mutex>

namespace lw::word::office {

class MemoryStream final
    : public cppu::WeakImplHelper5<css::io::XStream, css::io::XInputStream, css::io::XOutputStream,
                                   css::io::XSeekable, css::io::XTruncate> {
public:
    // What was written; whole once the office's store call has returned.
    QByteArray bytes() const;

    // XStream: the stream is its own input and output.
    css::uno::Reference<css::io::XInputStream> SAL_CALL getInputStream() override { return this; }
    css::uno::Reference<css::io::XOutputStream> SAL_CALL getOutputStream() override { return this; }

    sal_Int32 SAL_CALL readBytes(css::uno::Sequence<sal_Int8>& data, sal_Int32 count) override;
    sal_Int32 SAL_CALL readSomeBytes(css::uno::Sequence<sal_Int8>& data, sal_Int32 count) override {
        return readBytes(data, count);
    }
    void SAL_CALL skipBytes(sal_Int32 count) override;
    sal_Int32 SAL_CALL available() override;
    void SAL_CALL closeInput() override {}

    void SAL_CALL writeBytes(const css::uno::Sequence<sal_Int8>& data) override;
    void SAL_CALL flush() override {}
    void SAL_CALL closeOutput() override {}

    void SAL_CALL seek(sal_Int64 position) override;
    sal_Int64 SAL_CALL getPosition() override;
    sal_Int64 SAL_CALL getLength() override;

    void SAL_CALL truncate() override;

private:
    // The office's calls may arrive on a thread of the connection.
    mutable std::mutex m_mutex;
    QByteArray m_bytes;
    qsizetype m_position = 0;
};

// A copy of the bytes as a stream the office reads from: a document or a
// picture handed over without a file.
css::uno::Reference<css::io::XSeekableInputStream>
streamOfBytes(const css::uno::Reference<css::uno::XComponentContext>& context,
              const QByteArray& bytes);

} // namespace lw::word::office
