#include "base/wqttext.h"

namespace marvessa {

QStringList FromGbk(const Lines& lines) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(lines.size()));
  for (const auto& line : lines) out.push_back(FromGbk(line));
  return out;
}

Lines ToGbk(const QStringList& lines) {
  Lines out;
  out.reserve(lines.size());
  for (const auto& line : lines) out.push_back(ToGbk(line));
  return out;
}

}  // namespace marvessa
