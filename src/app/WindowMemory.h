#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>

class QSettings;
class QSplitter;
class QWidget;

namespace pcbprep {

// What the program keeps between sessions: each window's size, position and splitter
// positions, the netlists opened last and the tables of the next load. Without a store (the window
// tests) nothing is kept beyond the session; a store that is missing, unwritable or holds damaged
// values only means starting as on the first day.
class WindowMemory {
 public:
  static constexpr int kRecentFiles = 5;

  WindowMemory();  // remembers for this session only
  explicit WindowMemory(std::unique_ptr<QSettings> store);
  ~WindowMemory();
  WindowMemory(const WindowMemory&) = delete;
  WindowMemory& operator=(const WindowMemory&) = delete;

  // Puts a window back where it was (by its object name); false when nothing valid was
  // kept, so the window keeps the size it chose itself.
  bool restore(QWidget* window, std::initializer_list<QSplitter*> splitters) const;
  void save(const QWidget* window, std::initializer_list<const QSplitter*> splitters);

  // Newest first, at most kRecentFiles.
  QStringList recentFiles() const { return recent_; }
  void addRecentFile(const QString& path);

  // 大規模ネットリスト: whether the next load uses the large tables.
  bool largeTables() const { return large_; }
  void setLargeTables(bool large);

 private:
  std::unique_ptr<QSettings> store_;
  QStringList recent_;
  bool large_ = false;
};

// The user's one settings file, ~/.config/pcbprep/pcbprep.conf ($XDG_CONFIG_HOME where
// it is set).
QString UserSettingsPath();
std::unique_ptr<QSettings> UserSettingsStore();

}  // namespace pcbprep
