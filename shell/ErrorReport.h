#pragma once

#include <QString>

namespace lw {

inline constexpr auto kProjectName = "Leafwright";
inline constexpr auto kBuildDate = "2021/08/31";
inline constexpr auto kSupportEmail = "support@leafwright.app";
inline constexpr auto kErrorReportTitle = "Application Error";

// "in Leafwright2021/08/31.<object>.<procedure> " — where a failure happened.
QString locationString(const QString& object, const QString& procedure);

// The report's text: description, CR LF, location, "at line N", CR CR and the
// request to e-mail a screenshot.
QString errorReportText(const QString& description, const QString& location, int line);

// Shows the report as a warning box with OK only and waits until it is closed.
void showErrorReport(const QString& description, const QString& location, int line);

} // namespace lw
