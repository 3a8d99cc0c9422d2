#include <QApplication>
#include <QSettings>
#include <csignal>
#include <memory>

#include "app/Dialogs.h"
#include "app/MainForm.h"
#include "app/UiSupport.h"
#include "app/WindowMemory.h"

int main(int argc, char* argv[]) {
  // Under a file-size limit a save fails with its reason instead of killing the window.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("pcbprep"));
  QApplication::setDesktopFileName(QStringLiteral("io.github.pcbprep.pcbprep"));
  QApplication::setWindowIcon(pcbprep::AppIcon());
  pcbprep::InstallJapaneseQtTranslations(app);
  pcbprep::QtDialogs dialogs;
  pcbprep::MainForm window(dialogs);
  // The user's settings store: window places, the netlists opened last, the tables.
  window.useMemory(std::make_unique<pcbprep::WindowMemory>(pcbprep::UserSettingsStore()));
  window.show();
  return QApplication::exec();
}
