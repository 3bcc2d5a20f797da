#include "platform/qt/FileFilter.h"

namespace qtui {

namespace {
QString ToQtPatterns(const QString& patterns) {
  QStringList result;
  for (QString pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    pattern = pattern.trimmed();
    if (pattern.isEmpty()) continue;
    result << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
  }
  return result.isEmpty() ? QStringLiteral("*") : result.join(QLatin1Char(' '));
}
}  // namespace

QStringList ToQtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString patterns = i + 1 < parts.size() ? parts[i + 1] : QString();
    if (description.trimmed().isEmpty() && patterns.trimmed().isEmpty()) continue;
    QString entry = description;
    if (!entry.isEmpty() && !entry.endsWith(QLatin1Char(' '))) entry += QLatin1Char(' ');
    filters << entry + QLatin1Char('(') + ToQtPatterns(patterns) + QLatin1Char(')');
  }
  return filters;
}

}  // namespace qtui
