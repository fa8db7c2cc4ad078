#include "brochure/FieldStore.h"

#include "brochure/PlaceholderTable.h"
#include "shell/Failure.h"

#include <QSettings>

namespace lw {
namespace {
constexpr auto kApplication = "Tessaly";
constexpr auto kSection = "Leafwright";

QSettings openStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(kApplication), QString::fromLatin1(kSection));
}

QString sectionKey(int index) {
    return QString::fromLatin1(kSection) + '/' + FieldKey(index);
}
} // namespace

QString FieldStore::read(int index) {
    QSettings store = openStore();
    return store.value(sectionKey(index), QString()).toString();
}

void FieldStore::write(int index, const QString& text) {
    QSettings store = openStore();
    store.setValue(sectionKey(index), text);
    store.sync();
    if (store.status() == QSettings::AccessError)
        throw Failure(QStringLiteral("Cannot save the field to %1").arg(store.fileName()));
}

QString FieldStore::location() {
    return openStore().fileName();
}

} // namespace lw
