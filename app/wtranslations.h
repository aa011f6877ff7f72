// Qt's own texts (standard buttons, file and font dialogs) in the user's language, so that they
// match the program's Chinese texts such as "按[确定]即可终止".
#pragma once

#include <QLocale>
#include <QObject>
#include <QTranslator>

namespace marvessa {

// Qt's translation for the locale's languages, or the Chinese one when Qt has none for them;
// nothing when neither is installed. The caller installs it on the application.
QTranslator* LoadQtTranslation(const QLocale& locale, QObject* parent);

}  // namespace marvessa
