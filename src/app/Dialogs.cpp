#include "app/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace pcbprep {

QString QtFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    // A description that already names its pattern is shown as it is.
    if (description.contains(QLatin1Char('('))) {
      const qsizetype open = description.indexOf(QLatin1Char('('));
      description = description.left(open).trimmed();
      if (description.isEmpty()) description = parts[i];
    }
    out << QStringLiteral("%1 (%2)").arg(description, parts[i + 1]);
  }
  if (out.isEmpty()) return filter;
  return out.join(QStringLiteral(";;"));
}

std::optional<QString> Dialogs::openFile(QWidget* parent, const QString& filter) {
  std::optional<QString> path = chooseOpenFile(parent, filter, folders_.startFolder(filter));
  if (path) folders_.used(filter, *path);
  return path;
}

std::optional<QString> Dialogs::saveFile(QWidget* parent, const QString& filter,
                                         const QString& presetName) {
  const QString folder = folders_.startFolder(filter);
  const QString name = QFileInfo(presetName).fileName();
  QString proposed = name;
  if (!folder.isEmpty()) proposed = name.isEmpty() ? folder : QDir(folder).filePath(name);
  std::optional<QString> path = chooseSaveFile(parent, filter, proposed);
  if (path) folders_.used(filter, *path);
  return path;
}

std::optional<QString> QtDialogs::chooseOpenFile(QWidget* parent, const QString& filter,
                                                 const QString& folder) {
  const QString path = QFileDialog::getOpenFileName(parent, QString(), folder, QtFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtDialogs::openFolder(QWidget* parent) {
  const QString path = QFileDialog::getExistingDirectory(parent);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtDialogs::chooseSaveFile(QWidget* parent, const QString& filter,
                                                 const QString& proposed) {
  const QString path = QFileDialog::getSaveFileName(parent, QString(), proposed, QtFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

bool QtDialogs::confirm(QWidget* parent, const QString& title, const QString& prompt) {
  QMessageBox box(QMessageBox::Question, title, prompt, QMessageBox::Ok | QMessageBox::Cancel,
                  parent);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

SaveAnswer QtDialogs::askSave(QWidget* parent, const QString& title, const QString& prompt) {
  QMessageBox box(QMessageBox::Question, title, prompt,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("破棄"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveAnswer::kSave;
    case QMessageBox::Discard:
      return SaveAnswer::kDiscard;
    default:
      return SaveAnswer::kCancel;
  }
}

void QtDialogs::inform(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
  box.exec();
}

void QtDialogs::warn(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
  box.exec();
}

std::optional<QString> ScriptedDialogs::takeFileAnswer() {
  if (fileAnswers.empty()) return std::nullopt;
  // The answer is taken apart rather than copied as an optional: g++ 12 at -O2 and
  // above warns falsely about an uninitialised QString inside a copied optional.
  const bool given = fileAnswers.front().has_value();
  QString path = given ? std::move(*fileAnswers.front()) : QString();
  fileAnswers.pop_front();
  if (!given) return std::nullopt;
  return path;
}

std::optional<QString> ScriptedDialogs::chooseOpenFile(QWidget*, const QString& filter,
                                                       const QString& folder) {
  calls.push_back({QStringLiteral("open"), filter, folder, {}, {}});
  return takeFileAnswer();
}

std::optional<QString> ScriptedDialogs::chooseSaveFile(QWidget*, const QString& filter,
                                                       const QString& path) {
  calls.push_back({QStringLiteral("save"), filter, path, {}, {}});
  return takeFileAnswer();
}

std::optional<QString> ScriptedDialogs::openFolder(QWidget*) {
  calls.push_back({QStringLiteral("folder"), {}, {}, {}, {}});
  return takeFileAnswer();
}

bool ScriptedDialogs::confirm(QWidget*, const QString& title, const QString& prompt) {
  calls.push_back({QStringLiteral("confirm"), {}, {}, title, prompt});
  if (confirmAnswers.empty()) return false;
  const bool answer = confirmAnswers.front();
  confirmAnswers.pop_front();
  return answer;
}

SaveAnswer ScriptedDialogs::askSave(QWidget*, const QString& title, const QString& prompt) {
  calls.push_back({QStringLiteral("askSave"), {}, {}, title, prompt});
  if (saveAnswers.empty()) return SaveAnswer::kCancel;
  const SaveAnswer answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

void ScriptedDialogs::inform(QWidget*, const QString& title, const QString& text) {
  calls.push_back({QStringLiteral("inform"), {}, {}, title, text});
}

void ScriptedDialogs::warn(QWidget*, const QString& title, const QString& text) {
  calls.push_back({QStringLiteral("warn"), {}, {}, title, text});
}

int ScriptedDialogs::count(const QString& kind) const {
  int n = 0;
  for (const auto& call : calls) n += call.kind == kind ? 1 : 0;
  return n;
}

}  // namespace pcbprep
