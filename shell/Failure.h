#pragma once

#include <QString>
#include <stdexcept>

namespace lw {

// A failed operation, carrying the description text that the error report
// shows to the user. Every failure our own code raises is one of these.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description) {}
    const QString& description() const noexcept { return m_description; }

private:
    QString m_description;
};

// The description of whatever was thrown, as the error report shows it.
inline QString describeCurrentException() {
    try {
        throw;
    } catch (const Failure& failure) {
        return failure.description();
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

// True for the engine's own account of having stopped or hung: whatever fails
// after it in the same action fails for that reason.
inline bool tellsOfStoppedEngine(const QString& description) {
    return description.startsWith(QLatin1String("The word-processing engine stopped"));
}

} // namespace lw
