#include "app/gui/Dialogs.h"

#include <QStringList>

namespace slicewright {

QString MessageText(const std::string& text) {
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString qtPatterns = patterns == QLatin1String("*.*") ? QStringLiteral("*") : patterns;
    // The description names the patterns as a user reads them; Qt reads the
    // patterns from the last parenthesis, so it must hold the real ones.
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open >= 0) description.truncate(open);
    filters << description.trimmed() + QStringLiteral(" (") + qtPatterns + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace slicewright
