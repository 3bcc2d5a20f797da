#include "platform/comm/FakeSerial.h"

#include <algorithm>
#include <utility>

#include "platform/vb/RuntimeError.h"

namespace comm {

struct FakeSerialBackend::State {
  std::set<int> existing{1, 2};
  std::set<int> heldByOther;
  std::string input;
  std::string written;
  std::vector<std::string> writes;
  std::optional<int> failOpen, failWrite, failRead;
  bool vanished = false;
  std::function<void(std::string_view)> writeHook;
  bool holdOutput = false;
  bool drainsOnWait = false;
  int lineDrops = 0;
  std::vector<std::string> heldWrites;
  std::optional<int> openPort;
  int lastOpenedPort = 0;
  int openCount = 0;
  int closeCount = 0;
  int applyCount = 0;
  LineSettings settings;
  int handshaking = 0;
};

namespace {

// Raises the armed one-shot failure, if any, disarming it first.
void RaiseArmed(std::optional<int>& armed) {
  if (!armed) return;
  int number = *armed;
  armed.reset();
  vb::Raise(number);
}

// Bytes that have left the port: recorded, then shown to the hook.
void Leave(FakeSerialBackend::State& state, std::string_view bytes) {
  state.written.append(bytes);
  state.writes.emplace_back(bytes);
  if (state.writeHook) {
    // A copy, so that a hook replacing itself does not destroy the running function.
    auto hook = state.writeHook;
    hook(bytes);
  }
}

class FakeSerialDevice : public SerialDevice {
 public:
  explicit FakeSerialDevice(std::shared_ptr<FakeSerialBackend::State> state)
      : state_(std::move(state)) {}
  ~FakeSerialDevice() override { Close(); }

  void Apply(const LineSettings& settings, int handshaking) override {
    if (handshaking < 0 || handshaking > 3) vb::Raise(vb::err::kInvalidPropertyValue);
    state_->settings = settings;
    state_->handshaking = handshaking;
    ++state_->applyCount;
  }

  void Write(std::string_view bytes) override {
    if (closed_ || state_->vanished) vb::Raise(vb::err::kDeviceIOError);
    RaiseArmed(state_->failWrite);
    if (state_->holdOutput) {
      state_->heldWrites.emplace_back(bytes);
    } else {
      Leave(*state_, bytes);
    }
  }

  std::string ReadAvailable() override {
    if (closed_ || state_->vanished) vb::Raise(vb::err::kErrorReadingCommDevice);
    RaiseArmed(state_->failRead);
    return std::exchange(state_->input, std::string());
  }

  std::size_t OutputQueued() override {
    if (closed_ || state_->vanished) vb::Raise(vb::err::kDeviceIOError);
    std::size_t queued = 0;
    for (const std::string& held : state_->heldWrites) queued += held.size();
    return queued;
  }

  bool WaitOutputSent(int /*maxMs*/) override {
    if (OutputQueued() > 0 && state_->drainsOnWait) {
      std::vector<std::string> held = std::exchange(state_->heldWrites, {});
      for (const std::string& bytes : held) Leave(*state_, bytes);
    }
    return OutputQueued() == 0;
  }

  void DiscardOutput() override { state_->heldWrites.clear(); }

  void Close() override {
    if (closed_) return;
    closed_ = true;
    // As a real device's close, which lets its queued output drain before it lets go: what
    // was held leaves now. Only DiscardOutput takes output back.
    std::vector<std::string> held = std::exchange(state_->heldWrites, {});
    for (const std::string& bytes : held) Leave(*state_, bytes);
    state_->openPort.reset();
    ++state_->closeCount;
  }

  void CloseDroppingLine() override {
    if (closed_) return;
    state_->heldWrites.clear();
    ++state_->lineDrops;
    Close();
  }

 private:
  std::shared_ptr<FakeSerialBackend::State> state_;
  bool closed_ = false;
};

}  // namespace

FakeSerialBackend::FakeSerialBackend() : state_(std::make_shared<State>()) {}

void FakeSerialBackend::SetPortExists(int port, bool exists) {
  if (exists) {
    state_->existing.insert(port);
  } else {
    state_->existing.erase(port);
  }
}

void FakeSerialBackend::SetHeldByOther(int port, bool held) {
  if (held) {
    state_->heldByOther.insert(port);
  } else {
    state_->heldByOther.erase(port);
  }
}

void FakeSerialBackend::PushInput(std::string_view bytes) { state_->input.append(bytes); }
void FakeSerialBackend::ClearInput() { state_->input.clear(); }
void FakeSerialBackend::FailNextOpen(int number) { state_->failOpen = number; }
void FakeSerialBackend::FailNextWrite(int number) { state_->failWrite = number; }
void FakeSerialBackend::FailNextRead(int number) { state_->failRead = number; }
void FakeSerialBackend::SetVanished(bool vanished) {
  state_->vanished = vanished;
  // What a vanished device held never leaves, not even at its close.
  if (vanished) state_->heldWrites.clear();
}
void FakeSerialBackend::SetWriteHook(std::function<void(std::string_view)> hook) {
  state_->writeHook = std::move(hook);
}

void FakeSerialBackend::HoldOutput(bool hold) {
  state_->holdOutput = hold;
  if (hold) return;
  // Taken first: a hook may write again, and that write leaves at once.
  std::vector<std::string> held = std::exchange(state_->heldWrites, {});
  for (const std::string& bytes : held) Leave(*state_, bytes);
}

void FakeSerialBackend::ReleaseHeld(std::size_t n) {
  std::string leaving;
  auto& held = state_->heldWrites;
  while (n > 0 && !held.empty()) {
    std::string& first = held.front();
    const std::size_t part = std::min(n, first.size());
    leaving += first.substr(0, part);
    first.erase(0, part);
    n -= part;
    if (first.empty()) held.erase(held.begin());
  }
  if (!leaving.empty()) Leave(*state_, leaving);
}

void FakeSerialBackend::SetDrainsOnWait(bool drains) { state_->drainsOnWait = drains; }
int FakeSerialBackend::LineDrops() const { return state_->lineDrops; }

std::string FakeSerialBackend::Written() const { return state_->written; }
std::vector<std::string> FakeSerialBackend::Writes() const { return state_->writes; }
std::string FakeSerialBackend::TakeWritten() {
  std::string written = std::exchange(state_->written, std::string());
  state_->writes.clear();
  return written;
}
void FakeSerialBackend::ClearWritten() { TakeWritten(); }
std::string FakeSerialBackend::PendingInput() const { return state_->input; }
std::string FakeSerialBackend::HeldOutput() const {
  std::string held;
  for (const std::string& bytes : state_->heldWrites) held += bytes;
  return held;
}
int FakeSerialBackend::OpenCount() const { return state_->openCount; }
int FakeSerialBackend::CloseCount() const { return state_->closeCount; }
bool FakeSerialBackend::IsOpen() const { return state_->openPort.has_value(); }
std::optional<int> FakeSerialBackend::OpenPort() const { return state_->openPort; }
int FakeSerialBackend::LastOpenedPort() const { return state_->lastOpenedPort; }
LineSettings FakeSerialBackend::CurrentSettings() const { return state_->settings; }
int FakeSerialBackend::CurrentHandshaking() const { return state_->handshaking; }
int FakeSerialBackend::ApplyCount() const { return state_->applyCount; }

void FakeSerialBackend::CheckPort(int port) {
  if (port < 1 || state_->existing.count(port) == 0) vb::Raise(vb::err::kInvalidPortNumber);
}

std::unique_ptr<SerialDevice> FakeSerialBackend::Open(int port, const LineSettings& settings,
                                                      int handshaking) {
  CheckPort(port);
  if (handshaking < 0 || handshaking > 3) vb::Raise(vb::err::kInvalidPropertyValue);
  if (state_->heldByOther.count(port) != 0 || state_->openPort) {
    vb::Raise(vb::err::kPortAlreadyOpen);
  }
  RaiseArmed(state_->failOpen);
  auto device = std::make_unique<FakeSerialDevice>(state_);
  device->Apply(settings, handshaking);
  state_->openPort = port;
  state_->lastOpenedPort = port;
  ++state_->openCount;
  return device;
}

}  // namespace comm
