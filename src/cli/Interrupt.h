#pragma once

namespace slicewright::cli {

// Installs the handlers of SIGINT, SIGTERM and SIGHUP (unless one is ignored
// when the program starts): they remove the temporary files and folders of
// saves under way and end the program as the signal would have, except for
// the first signal while a GracefulStop lives.
void InstallSignalHandlers();

// While one lives, the first of those signals only asks the work to stop
// (StopRequested); a second one ends the program at once as above.
class GracefulStop {
 public:
  GracefulStop();
  ~GracefulStop();
  GracefulStop(const GracefulStop&) = delete;
  GracefulStop& operator=(const GracefulStop&) = delete;

  // Ends the program by the signal that asked it to stop, if one did.
  void EndIfStopped() const;
};

bool StopRequested();

// Asks the work to stop as the first signal would, and the GracefulStop to end
// the program by this signal afterwards.
void RequestStop(int signalNumber);

// Thrown where work notices a stop request and gives up the file in hand.
struct Interrupted {};

inline void ThrowIfStopRequested() {
  if (StopRequested()) throw Interrupted{};
}

}  // namespace slicewright::cli
