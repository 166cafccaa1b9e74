#include "ui/qt/DesktopText.h"

#include <QRegularExpression>
#include <QStringList>

namespace tc {

QString qtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    if (filter.empty()) return {};
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) patterns << p.trimmed();
        }
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        entries << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QUrl linkUrl(const std::string& link) {
    QString text = QString::fromStdString(link);
    // A scheme ends in a colon; a colon before a digit is a host's port.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?!\\d)"));
    if (!scheme.match(text).hasMatch()) text.prepend(QStringLiteral("http://"));
    // Blanks are written out so that none is lost at either end (the mail
    // subject starts and ends with one).
    text.replace(QLatin1Char(' '), QStringLiteral("%20"));
    return QUrl(text, QUrl::TolerantMode);
}

}  // namespace tc
