#pragma once

#include "wordgen/WordObjects.h"

#include <QString>
#include <functional>
#include <map>

namespace lw::word {

inline constexpr auto kWordApplicationClass = "Word.Application";

// Engines register the classes they can create; the program creates its
// objects by class name through here.
class ObjectRegistry {
public:
    using Factory = std::function<Ref<WordApplication>()>;

    static ObjectRegistry& instance();

    void registerClass(const QString& className, Factory factory);
    void unregisterClass(const QString& className);

    // A new object of the class. Fails with a description when the class is
    // unknown or its engine cannot start.
    Ref<WordApplication> create(const QString& className);

private:
    std::map<QString, Factory> m_factories;
};

// Creates an object by class name through the registry.
Ref<WordApplication> CreateObject(const QString& className);

} // namespace lw::word
