#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "app/DialogFolders.h"

class QWidget;

namespace pcbprep {

// The answers of the question before unsaved work is thrown away.
enum class SaveAnswer { kSave, kDiscard, kCancel };

// Every file dialog and message box of the program goes through this interface, so
// the window tests can answer them from a script.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Filters are written "description|pattern", as the program's captions give them.
  // Both dialogs start in the folder DialogFolders gives for the filter's kind of file,
  // and a chosen file makes its folder the one of that kind.
  std::optional<QString> openFile(QWidget* parent, const QString& filter);
  // presetName is the proposed file name; a folder in it is not used.
  std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                  const QString& presetName);
  DialogFolders& folders() { return folders_; }

  // The dialogs themselves: open starting in `folder`, save proposing `path` (the start
  // folder and the proposed name; either may be empty).
  virtual std::optional<QString> chooseOpenFile(QWidget* parent, const QString& filter,
                                                const QString& folder) = 0;
  virtual std::optional<QString> chooseSaveFile(QWidget* parent, const QString& filter,
                                                const QString& path) = 0;
  // A folder to read from.
  virtual std::optional<QString> openFolder(QWidget* parent) = 0;
  // A modal OK/Cancel question with Cancel as the default button; true for OK.
  virtual bool confirm(QWidget* parent, const QString& title, const QString& prompt) = 0;
  // A modal question with 保存 / 破棄 / キャンセル, キャンセル the default.
  virtual SaveAnswer askSave(QWidget* parent, const QString& title, const QString& prompt) = 0;
  // A modal message with an OK button.
  virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
  virtual void warn(QWidget* parent, const QString& title, const QString& text) = 0;

 private:
  DialogFolders folders_;
};

// "*.NET|*.net" -> "*.NET (*.net)" for Qt's file dialogs.
QString QtFilter(const QString& filter);

// The real dialogs of the program.
class QtDialogs final : public Dialogs {
 public:
  std::optional<QString> chooseOpenFile(QWidget* parent, const QString& filter,
                                        const QString& folder) override;
  std::optional<QString> chooseSaveFile(QWidget* parent, const QString& filter,
                                        const QString& path) override;
  std::optional<QString> openFolder(QWidget* parent) override;
  bool confirm(QWidget* parent, const QString& title, const QString& prompt) override;
  SaveAnswer askSave(QWidget* parent, const QString& title, const QString& prompt) override;
  void inform(QWidget* parent, const QString& title, const QString& text) override;
  void warn(QWidget* parent, const QString& title, const QString& text) override;
};

// Answers from a script and a record of what was asked, for tests.
class ScriptedDialogs final : public Dialogs {
 public:
  struct Call {
    QString kind;  // "open", "save", "folder", "confirm", "askSave", "inform", "warn"
    QString filter;
    QString preset;  // save: the proposed path; open: the start folder
    QString title;
    QString text;
  };

  std::deque<std::optional<QString>> fileAnswers;  // nullopt = cancelled
  std::deque<bool> confirmAnswers;                 // empty = Cancel (the default)
  std::deque<SaveAnswer> saveAnswers;              // empty = キャンセル (the default)
  std::vector<Call> calls;

  std::optional<QString> chooseOpenFile(QWidget* parent, const QString& filter,
                                        const QString& folder) override;
  std::optional<QString> chooseSaveFile(QWidget* parent, const QString& filter,
                                        const QString& path) override;
  std::optional<QString> openFolder(QWidget* parent) override;
  bool confirm(QWidget* parent, const QString& title, const QString& prompt) override;
  SaveAnswer askSave(QWidget* parent, const QString& title, const QString& prompt) override;
  void inform(QWidget* parent, const QString& title, const QString& text) override;
  void warn(QWidget* parent, const QString& title, const QString& text) override;

  int count(const QString& kind) const;

 private:
  std::optional<QString> takeFileAnswer();
};

}  // namespace pcbprep
