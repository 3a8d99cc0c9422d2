#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <vector>

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
  virtual std::optional<QString> openFile(QWidget* parent, const QString& filter) = 0;
  virtual std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                          const QString& presetName) = 0;
  // A folder to read from.
  virtual std::optional<QString> openFolder(QWidget* parent) = 0;
  // A modal OK/Cancel question with Cancel as the default button; true for OK.
  virtual bool confirm(QWidget* parent, const QString& title, const QString& prompt) = 0;
  // A modal question with 保存 / 破棄 / キャンセル, キャンセル the default.
  virtual SaveAnswer askSave(QWidget* parent, const QString& title, const QString& prompt) = 0;
  // A modal message with an OK button.
  virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
  virtual void warn(QWidget* parent, const QString& title, const QString& text) = 0;
};

// "*.NET|*.net" -> "*.NET (*.net)" for Qt's file dialogs.
QString QtFilter(const QString& filter);

// The real dialogs of the program.
class QtDialogs final : public Dialogs {
 public:
  std::optional<QString> openFile(QWidget* parent, const QString& filter) override;
  std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                  const QString& presetName) override;
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
    QString preset;
    QString title;
    QString text;
  };

  std::deque<std::optional<QString>> fileAnswers;  // nullopt = cancelled
  std::deque<bool> confirmAnswers;                 // empty = Cancel (the default)
  std::deque<SaveAnswer> saveAnswers;              // empty = キャンセル (the default)
  std::vector<Call> calls;

  std::optional<QString> openFile(QWidget* parent, const QString& filter) override;
  std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                  const QString& presetName) override;
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
