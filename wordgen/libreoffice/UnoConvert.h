#pragma once

// Conversions between Qt and UNO values, and the property lists the office
// calls take.

#include <QString>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <rtl/ustring.hxx>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace lw::word::office {

using rtl::OUString;

inline OUString toUno(const QString& text) {
    return OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), text.size());
}

inline QString fromUno(const OUString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

// The office measures lengths in hundredths of a millimetre.
inline sal_Int32 hundredthsOfMm(double inches) {
    return sal_Int32(std::lround(inches * 2540.0));
}

// A local path as a file URL the office accepts (spaces, non-ASCII escaped).
OUString fileUrl(const QString& localPath);

inline css::beans::PropertyValue property(const char* name, const css::uno::Any& value) {
    css::beans::PropertyValue result;
    result.Name = OUString::createFromAscii(name);
    result.Value = value;
    return result;
}

inline css::uno::Sequence<css::beans::PropertyValue>
properties(std::initializer_list<css::beans::PropertyValue> values) {
    return css::uno::Sequence<css::beans::PropertyValue>(values.begin(), sal_Int32(values.size()));
}

} // namespace lw::word::office
