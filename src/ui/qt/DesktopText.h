#pragma once
#include <QString>
#include <QUrl>
#include <string>

namespace tc {

// The common dialog's filter, "Description|*.a;*.b|Other|*.c", in Qt's
// form "Description (*.a *.b);;Other (*.c)". An entry without patterns
// lists every file; an empty filter gives Qt's "all files".
QString qtFileFilter(const std::string& filter);

// What the desktop opens for a link: a text with a scheme ("mailto:...",
// "https://...") as it stands, a bare host name or path as a web address.
QUrl linkUrl(const std::string& link);

}  // namespace tc
