#include "app/DialogFolders.h"

#include <QFileInfo>
#include <QStringList>

namespace pcbprep {

QString DialogFolders::KindOf(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  const QString patterns = parts.size() > 1 ? parts[1] : parts[0];
  return patterns.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty).toLower();
}

QString DialogFolders::startFolder(const QString& filter) const {
  return lastFolders_.value(KindOf(filter), netlistFolder_);
}

void DialogFolders::used(const QString& filter, const QString& path) {
  lastFolders_.insert(KindOf(filter), QFileInfo(path).absolutePath());
}

}  // namespace pcbprep
