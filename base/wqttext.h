// The one place where the core's GBK text meets Qt's Unicode strings.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "base/utext.h"

namespace marvessa {

inline QString FromGbk(const std::string& gbk) { return QString::fromStdString(GbkToUtf8(gbk)); }
inline std::string ToGbk(const QString& text) { return Utf8ToGbk(text.toStdString()); }
QStringList FromGbk(const Lines& lines);
Lines ToGbk(const QStringList& lines);

}  // namespace marvessa
