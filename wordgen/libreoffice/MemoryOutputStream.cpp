#include "wordgen/libreoffice/MemoryOutputStream.h"

#include <com/sun/star/io/NotConnectedException.hpp>

namespace lw::word::office {

QByteArray MemoryOutputStream::bytes() const {
    const std::lock_guard lock(m_mutex);
    return m_bytes;
}

void MemoryOutputStream::writeBytes(const css::uno::Sequence<sal_Int8>& data) {
    const std::lock_guard lock(m_mutex);
    if (m_closed)
        throw css::io::NotConnectedException("The picture stream is closed",
                                             static_cast<cppu::OWeakObject*>(this));
    m_bytes.append(reinterpret_cast<const char*>(data.getConstArray()), data.getLength());
}

void MemoryOutputStream::closeOutput() {
    const std::lock_guard lock(m_mutex);
    m_closed = true;
}

} // namespace lw::word::office
