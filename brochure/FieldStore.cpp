#include "brochure/FieldStore.h"

#include "brochure/BrochureProduct.h"
#include "shell/Failure.h"

#include <QSettings>

namespace lw {
namespace {
QSettings openStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(kSettingsApplication),
                     QString::fromLatin1(kSettingsSection));
}

QString sectionKey(int index) {
    return QString::fromLatin1(kSettingsSection) + '/' + FieldKey(index);
}
} // namespace

QString FieldKey(int index) {
    return QString::fromLatin1(kPlaceholderTable.at(std::size_t(index)).key);
}

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
