#pragma once
// The program's one window: the drawing area, the control panel with the channel check boxes,
// status indicators and command buttons, the mark list and the playback timer.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/viewer_state.h"
#include "app/window_layout.h"
#include "chart/chart.h"
#include "chart/chart_controls.h"
#include "platform/controls.h"
#include "platform/error_report.h"
#include "platform/event_dispatcher.h"
#include "platform/image_surface.h"

namespace tarvelin {

class TForm1 : public QWidget, public ChartControls {
  Q_OBJECT

 public:
  // `exposePaints`: whether the window system's expose events run the paint handler (the
  // replay driver delivers paint requests itself).
  TForm1(ViewerState& state, ErrorReport& report, bool exposePaints = true);
  ~TForm1() override;

  // Controls, by their layout names.
  QGroupBox* buttonbox;
  QPushButton *fastreverse, *slowreverse, *slowforward, *quit, *openlog, *fastforward;
  OpenDialog OpenDialog1;
  QPushButton *SSReverse, *SSForward;
  QCheckBox *rpmcb, *mapcb, *pw1cb, *o2cb, *ve1cb, *tpscb, *matcb, *seclcb, *cltcb, *egocor, *dc1cb,
      *dc2cb, *ve2cb, *pw2cb;
  QPushButton* MARKList;
  QLabel *RUNNING, *warmup, *afterstart, *accel, *engbits, *cranking;
  QPushButton *startbtn, *endbtn;
  ListBox* marklbox;
  QTimer* runtimer;
  QPushButton* runbtn;
  QLabel *decel, *ebit7, *ebit8;

  // Event handlers (each runs inside the dispatcher via its control's event).
  void openlogClick();
  void quitClick();
  void slowforwardClick();
  void fastforwardClick();
  void fastreverseClick();
  void slowreverseClick();
  void SSReverseClick();
  void SSForwardClick();
  void o2cbClick();
  void cltcbClick();
  void dc1cbClick();
  void egocorClick();
  void mapcbClick();
  void matcbClick();
  void pw1cbClick();
  void rpmcbClick();
  void seclcbClick();
  void tpscbClick();
  void ve1cbClick();
  void FormPaint();
  void MARKListClick();
  void marklboxClick();
  void startbtnClick();
  void endbtnClick();
  void runbtnClick();
  void runevt();

  // Gives the keyboard focus to the first shown control in tab order.
  void FocusFirstControl();
  // The activation at start-up: runs the open-log command once, never again.
  void Activate();
  // Runs a handler as an event of this window: unrestricted surface, failures reported,
  // then the shown picture updated.
  void Dispatch(const std::function<void()>& handler);
  // One tick of the playback timer, as the timer delivers it.
  void DeliverTick();

  // ChartControls
  bool IsChecked(ChannelBox box) const override;
  void SetCaption(ChannelBox box, const std::string& caption) override;
  void SetIndicator(Indicator label, const std::string& caption, Color background,
                    Color fontColor) override;

  QCheckBox* CheckBox(ChannelBox box) const { return checkBoxes_[static_cast<int>(box)]; }
  QLabel* IndicatorLabel(Indicator label) const { return indicators_[static_cast<int>(label)]; }
  QPushButton* ButtonControl(Button button) const { return buttons_[static_cast<int>(button)]; }
  // A control by its layout name (nullptr for an unknown name or a non-widget component).
  QWidget* ControlByName(const std::string& name) const;

  ViewerState& State() { return state_; }
  ImageSurface& Surface() { return surface_; }
  Chart& ChartView() { return chart_; }
  EventDispatcher& Dispatcher() { return dispatcher_; }
  bool QuitRequested() const { return quitRequested_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildPanel();
  void BuildCheckBoxes();
  void BuildIndicators();
  void BuildButtons();
  void BuildMarkList();
  void SetTabOrder();
  std::vector<QWidget*> TabOrdered() const;
  void FitOuterSize();
  void RedrawAtPosition();

  ViewerState& state_;
  ImageSurface surface_;
  EventDispatcher dispatcher_;
  Chart chart_;
  std::array<QCheckBox*, kChannelBoxCount> checkBoxes_{};
  std::array<QLabel*, kIndicatorCount> indicators_{};
  std::array<QPushButton*, kButtonCount> buttons_{};
  bool exposePaints_;
  bool paintRequested_ = false;
  bool activated_ = false;
  bool quitRequested_ = false;
};

// The one main window.
extern TForm1* Form1;

}  // namespace tarvelin
