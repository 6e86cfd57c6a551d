#include "platform/controls.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/qt_color.h"

namespace tarvelin {

void SetControlColors(QWidget* control, Color background, Color text) {
  QPalette palette = control->palette();
  const QColor bg = ToQColor(background), fg = ToQColor(text);
  for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base}) palette.setColor(role, bg);
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    palette.setColor(role, fg);
  control->setPalette(palette);
  control->setAutoFillBackground(true);
}

Color ControlBackground(const QWidget* control) {
  return FromQColor(control->palette().color(QPalette::Window));
}

Color ControlTextColor(const QWidget* control) {
  return FromQColor(control->palette().color(QPalette::WindowText));
}

void ListBox::keyPressEvent(QKeyEvent* event) {
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0) Q_EMIT itemClick();
}

void ListBox::focusInEvent(QFocusEvent* event) {
  const bool noCurrentItem = currentRow() < 0;
  QListWidget::focusInEvent(event);
  // Taking the focus selects nothing: the first arrow key then chooses the first entry.
  if (noCurrentItem && currentRow() >= 0) setCurrentIndex(QModelIndex());
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  // A click below the last item selects nothing and reports nothing.
  if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()) != nullptr)
    Q_EMIT itemClick();
}

namespace {

// "Name|*.XLS" -> "Name (*.XLS *.xls)": file names are case-sensitive here.
QString QtFilter(const std::string& filter) {
  const auto bar = filter.find('|');
  if (bar == std::string::npos) return QString::fromStdString(filter);
  const QString name = QString::fromStdString(filter.substr(0, bar));
  const QString pattern = QString::fromStdString(filter.substr(bar + 1));
  QString patterns = pattern;
  if (pattern.toLower() != pattern) patterns += " " + pattern.toLower();
  return name + " (" + patterns + ")";
}

}  // namespace

OpenDialog::Answer OpenDialog::Execute(QWidget* parent) {
  if (initialDir_.empty()) initialDir_ = QFile::encodeName(QDir::currentPath()).toStdString();
  Answer answer;
  if (scripted_) {
    answer = scripted_();
  } else {
    QFileDialog dialog(parent, QString(), QFile::decodeName(initialDir_.c_str()), QtFilter(Filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      answer = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
  }
  if (answer && !answer->empty()) {
    // File names are bytes here; the dialog's text is only their display form.
    const QFileInfo chosen(QFile::decodeName(answer->c_str()));
    initialDir_ = QFile::encodeName(chosen.absolutePath()).toStdString();
    answer = QFile::encodeName(chosen.absoluteFilePath()).toStdString();
  }
  return answer;
}

}  // namespace tarvelin
