#include <QApplication>
#include <csignal>

#include "app/Dialogs.h"
#include "app/MainForm.h"
#include "app/UiSupport.h"

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
  window.show();
  return QApplication::exec();
}
