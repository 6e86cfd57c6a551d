// tarvelin [LOG]: the datalog viewer.
#include <QApplication>

#include "app/application.h"

int main(int argc, char** argv) {
  tarvelin::ViewerState state;
  // Taken before Qt reads the command line: the first argument is the log, whatever it is.
  if (argc > 1) state.FirstArgument = argv[1];
  QApplication app(argc, argv);
  tarvelin::ConfigureApplication(app);
  tarvelin::MessageBoxReport report;
  auto form = tarvelin::StartMainWindow(state, report, /*exposePaints=*/true);
  app.exec();
  form.reset();
  return 0;
}
