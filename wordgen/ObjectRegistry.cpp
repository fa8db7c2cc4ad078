#include "wordgen/ObjectRegistry.h"

namespace lw::word {

ObjectRegistry& ObjectRegistry::instance() {
    static ObjectRegistry registry;
    return registry;
}

void ObjectRegistry::registerClass(const QString& className, Factory factory) {
    m_factories[className] = std::move(factory);
}

void ObjectRegistry::unregisterClass(const QString& className) {
    m_factories.erase(className);
}

Ref<WordApplication> ObjectRegistry::create(const QString& className) {
    const auto found = m_factories.find(className);
    if (found == m_factories.end())
        throw AutomationError(
            QStringLiteral("Cannot create object \"%1\": no engine provides it").arg(className));
    Ref<WordApplication> object = found->second();
    if (!object)
        throw AutomationError(QStringLiteral("Cannot create object \"%1\"").arg(className));
    return object;
}

Ref<WordApplication> CreateObject(const QString& className) {
    return ObjectRegistry::instance().create(className);
}

} // namespace lw::word
