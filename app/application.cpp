#include "app/application.h"

#include <QIcon>
#include <QPixmap>
#include <QStyleFactory>
#include <clocale>

#include "app/app_icon.h"

namespace tarvelin {

void ConfigureApplication(QApplication& app) {
  std::setlocale(LC_NUMERIC, "C");  // numbers are read and written with a point everywhere
  app.setApplicationName("tarvelin");
  app.setApplicationDisplayName(kApplicationTitle);
  app.setDesktopFileName("tarvelin");
  if (QStyle* style = QStyleFactory::create("Fusion")) app.setStyle(style);
  app.setWindowIcon(QIcon(QPixmap::fromImage(ApplicationIcon())));
}

std::unique_ptr<TForm1> StartMainWindow(ViewerState& state, ErrorReport& report,
                                        bool exposePaints) {
  auto form = std::make_unique<TForm1>(state, report, exposePaints);
  form->setGeometry(0, 0, 800, 600);
  form->showMaximized();
  form->FocusFirstControl();
  form->Activate();
  form->raise();
  form->activateWindow();
  return form;
}

}  // namespace tarvelin
