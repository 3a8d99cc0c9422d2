#include <QApplication>

#include "app/Dialogs.h"
#include "app/MainForm.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("pcbprep"));
  pcbprep::QtDialogs dialogs;
  pcbprep::MainForm window(dialogs);
  window.show();
  return QApplication::exec();
}
