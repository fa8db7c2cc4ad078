#include "wordgen/libreoffice/MemoryStream.h"

#include <com/sun/star/io/SequenceInputStream.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>

#include <algorithm>

namespace lw::word::office {

QByteArray MemoryStream::bytes() const {
    const std::lock_guard lock(m_mutex);
    return m_bytes;
}

sal_Int32 MemoryStream::readBytes(css::uno::Sequence<sal_Int8>& data, sal_Int32 count) {
    const std::lock_guard lock(m_mutex);
    const qsizetype taken = std::clamp<qsizetype>(m_bytes.size() - m_position, 0, count);
    data = css::uno::Sequence<sal_Int8>(
        reinterpret_cast<const sal_Int8*>(m_bytes.constData() + m_position), sal_Int32(taken));
    m_position += taken;
    return sal_Int32(taken);
}

void MemoryStream::skipBytes(sal_Int32 count) {
    const std::lock_guard lock(m_mutex);
    m_position = std::min<qsizetype>(m_bytes.size(), m_position + std::max(count, 0));
}

sal_Int32 MemoryStream::available() {
    const std::lock_guard lock(m_mutex);
    return sal_Int32(m_bytes.size() - m_position);
}

void MemoryStream::writeBytes(const css::uno::Sequence<sal_Int8>& data) {
    const std::lock_guard lock(m_mutex);
    const qsizetype end = m_position + data.getLength();
    if (end > m_bytes.size())
        m_bytes.resize(end);
    std::copy_n(reinterpret_cast<const char*>(data.getConstArray()), data.getLength(),
                m_bytes.data() + m_position);
    m_position = end;
}

void MemoryStream::seek(sal_Int64 position) {
    const std::lock_guard lock(m_mutex);
    if (position < 0 || position > m_bytes.size())
        throw css::lang::IllegalArgumentException("Position outside the stream",
                                                  static_cast<cppu::OWeakObject*>(this), 1);
    m_position = qsizetype(position);
}

sal_Int64 MemoryStream::getPosition() {
    const std::lock_guard lock(m_mutex);
    return m_position;
}

sal_Int64 MemoryStream::getLength() {
    const std::lock_guard lock(m_mutex);
    return m_bytes.size();
}

void MemoryStream::truncate() {
    const std::lock_guard lock(m_mutex);
    m_bytes.clear();
    m_position = 0;
}

css::uno::Reference<css::io::XSeekableInputStream>
streamOfBytes(const css::uno::Reference<css::uno::XComponentContext>& context,
              const QByteArray& bytes) {
    return css::io::SequenceInputStream::createStreamFromSequence(
        context, css::uno::Sequence<sal_Int8>(reinterpret_cast<const sal_Int8*>(bytes.constData()),
                                              sal_Int32(bytes.size())));
}

} // namespace lw::word::office
