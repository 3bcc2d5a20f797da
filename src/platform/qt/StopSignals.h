// The signals by which the system asks a program to end (SIGTERM, SIGHUP, SIGINT: kill, a
// closed terminal or session, Ctrl-C), turned into a call on the user-interface thread.
//
// Principles of operation. The signal handler only writes the signal's number into a pipe
// (a self-pipe); a QSocketNotifier on its other end runs the callback from the event loop, so
// the callback may do anything a handler may, and it also runs inside a nested loop (a modal
// box, a pump). A SIGHUP or SIGINT that was ignored when the program started (nohup, a
// background job of a script) stays ignored; SIGTERM is always taken.
//
// One instance at a time; it must be made on the GUI thread after the QCoreApplication, and
// its destructor puts the previous handlers back. Signals that arrive before the loop runs wait
// in the pipe. Several signals before the loop gets to them give one call each.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace qtui {

class StopSignals : public QObject {
  Q_OBJECT

 public:
  // onSignal receives the signal's number. Throws std::runtime_error when the pipe cannot be had.
  explicit StopSignals(std::function<void(int signal)> onSignal);
  ~StopSignals() override;
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  void Deliver();

  std::function<void(int)> onSignal_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace qtui
