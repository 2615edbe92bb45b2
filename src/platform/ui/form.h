// A window of the program: a top-level Qt window with a client area on which controls are
// placed, in pixels or on a user scale (the main window uses 100 x 100), and the window events
// the forms handle (load, resize, activate, unload).
#pragma once

#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

#include <functional>

class QDialog;
class QMenuBar;

namespace platform {

enum class MousePointer { Default, Hourglass, Custom };

class FormBase : public QObject {
  Q_OBJECT
 public:
  enum class Kind { MainWindow, Dialog };
  FormBase(Kind kind, const QString& caption, QSize clientSize);
  ~FormBase() override;

  QWidget* window() const { return window_; }
  QWidget* client() const { return client_; }
  QDialog* dialog() const;
  QMenuBar* menuBar();
  Kind kind() const { return kind_; }

  QString Caption() const;
  void setCaption(const QString& caption);

  // The user scale: the client area is `width` x `height` units; 0 x 0 means pixels.
  void setUserScale(double width, double height);
  double ScaleWidth() const;
  double ScaleHeight() const;
  double pxPerUnitX() const;
  double pxPerUnitY() const;

  // Runs Form_Load once; Show loads first.
  void Load();
  bool isLoaded() const { return loaded_; }
  void Show();
  void Hide();
  // Closes the window through Form_Unload (which may cancel).
  void Unload();
  bool isVisible() const;

  void setMouseIcon(const QString& icoPath);
  void setMousePointer(MousePointer pointer);
  // The busy pointer of long work: the icon mike.ico of the program folder.
  void showBusyPointer();
  MousePointer mousePointer() const { return pointer_; }

  void setEnabled(bool on);
  bool Enabled() const;

  // Window events; the defaults do nothing.
  virtual void Form_Load() {}
  virtual void Form_Resize() {}
  virtual void Form_Activate() {}
  virtual void Form_Unload(int& cancel) { (void)cancel; }

  // Runs Form_Activate as the old system did when the window regained activation from one of
  // the program's own modal windows.
  void activateAfterModal();

  // Runs `then` once the window has been drawn (a message shown meanwhile would stand over an
  // empty frame).
  void whenDrawn(std::function<void()> then);

 protected:
  // Called from Form_Load when the window must not come up (the program ends instead).
  void refuseLoad() { loaded_ = false; }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Kind kind_;
  QPointer<QWidget> window_;
  QWidget* client_ = nullptr;
  double scaleW_ = 0, scaleH_ = 0;
  bool loaded_ = false;
  bool activatedOnce_ = false;
  bool unloading_ = false;
  QObject* inputHold_ = nullptr;  // while the window is disabled
  MousePointer pointer_ = MousePointer::Default;
  QString iconPath_;
};

}  // namespace platform
