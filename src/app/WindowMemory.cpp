#include "app/WindowMemory.h"

#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QWidget>

namespace pcbprep {

namespace {

const QString kRecentKey = QStringLiteral("recentNetlists");
const QString kLargeKey = QStringLiteral("netlist/large");

QString Key(const QWidget* window, const QString& what) {
  return window->objectName() + QLatin1Char('/') + what;
}

}  // namespace

WindowMemory::WindowMemory(std::unique_ptr<QSettings> store) : store_(std::move(store)) {
  // Anything but a list of texts (a damaged store) reads as no list.
  for (const QString& path : store_->value(kRecentKey).toStringList()) {
    if (!path.isEmpty() && !recent_.contains(path) && recent_.size() < kRecentFiles) {
      recent_ << path;
    }
  }
  large_ = store_->value(kLargeKey, false).toBool();
}

WindowMemory::WindowMemory() = default;
WindowMemory::~WindowMemory() = default;

bool WindowMemory::restore(QWidget* window, std::initializer_list<QSplitter*> splitters) const {
  if (!store_) return false;
  // restoreGeometry refuses what it cannot read and keeps the window inside a screen.
  if (!window->restoreGeometry(
          store_->value(Key(window, QStringLiteral("geometry"))).toByteArray())) {
    return false;
  }
  for (QSplitter* splitter : splitters) {
    splitter->restoreState(store_->value(Key(window, splitter->objectName())).toByteArray());
  }
  return true;
}

void WindowMemory::save(const QWidget* window, std::initializer_list<const QSplitter*> splitters) {
  if (!store_) return;
  store_->setValue(Key(window, QStringLiteral("geometry")), window->saveGeometry());
  for (const QSplitter* splitter : splitters) {
    store_->setValue(Key(window, splitter->objectName()), splitter->saveState());
  }
  store_->sync();
}

void WindowMemory::addRecentFile(const QString& path) {
  recent_.removeAll(path);
  recent_.prepend(path);
  while (recent_.size() > kRecentFiles) recent_.removeLast();
  if (!store_) return;
  store_->setValue(kRecentKey, recent_);
  store_->sync();
}

void WindowMemory::setLargeTables(bool large) {
  large_ = large;
  if (!store_) return;
  store_->setValue(kLargeKey, large);
  store_->sync();
}

QString UserSettingsPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/pcbprep/pcbprep.conf");
}

std::unique_ptr<QSettings> UserSettingsStore() {
  // A file named here, not one Qt derives from organisation and program names, so that
  // every part of the program writes the same one.
  return std::make_unique<QSettings>(UserSettingsPath(), QSettings::IniFormat);
}

}  // namespace pcbprep
