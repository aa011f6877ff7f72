#include "app/wtranslations.h"

#include <QLibraryInfo>

namespace marvessa {

QTranslator* LoadQtTranslation(const QLocale& locale, QObject* parent) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(parent);
  if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder) ||
      translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"), folder))
    return translator;
  delete translator;
  return nullptr;
}

}  // namespace marvessa
