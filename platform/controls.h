#pragma once
// Thin helpers over Qt's widgets for the controls the window uses: colours as 0x00BBGGRR,
// Latin-1 captions, a list box that reports clicks on items, and the file-open dialog.
#include <QListWidget>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "platform/colors.h"

namespace tarvelin {

// Opaque background and text colour of a control.
void SetControlColors(QWidget* control, Color background, Color text);
Color ControlBackground(const QWidget* control);
Color ControlTextColor(const QWidget* control);

inline QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToLatin1(const QString& text) { return text.toLatin1().toStdString(); }

// A list box whose item click comes from the mouse or from the arrow keys alike.
class ListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit ListBox(QWidget* parent) : QListWidget(parent) {}

 Q_SIGNALS:
  void itemClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
};

// The modal file-open dialog (Qt's own, not a native one). Starts in the folder of the last
// chosen file, at first in the process's current directory. A scripted answer source can
// stand in for the user (the replay driver).
class OpenDialog {
 public:
  using Answer = std::optional<std::string>;  // the chosen path, or nothing when cancelled

  std::string Filter = "Kelvane Log Files|*.XLS";
  // Shows the dialog; the complete path of the chosen (possibly not existing) file.
  Answer Execute(QWidget* parent);

  void SetScriptedAnswers(std::function<Answer()> source) { scripted_ = std::move(source); }
  const std::string& InitialDir() const { return initialDir_; }

 private:
  std::string initialDir_;
  std::function<Answer()> scripted_;
};

}  // namespace tarvelin
