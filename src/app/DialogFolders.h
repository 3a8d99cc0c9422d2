#pragma once

#include <QHash>
#include <QString>

namespace pcbprep {

// Where a file dialog starts, by one rule for every save and open dialog: the folder last
// used for that kind of file, else the loaded netlist's folder. A kind of file is the
// first pattern of the dialog's filter ("*.csv"), so a kind's open and save dialogs
// share their folder.
class DialogFolders {
 public:
  void setNetlistFolder(const QString& folder) { netlistFolder_ = folder; }
  // Empty when neither is known: the dialog's own choice (the working folder).
  QString startFolder(const QString& filter) const;
  // A file of the filter's kind was chosen at `path`.
  void used(const QString& filter, const QString& path);

  // The kind of file a filter ("description|pattern|...") is for.
  static QString KindOf(const QString& filter);

 private:
  QString netlistFolder_;
  QHash<QString, QString> lastFolders_;
};

}  // namespace pcbprep
