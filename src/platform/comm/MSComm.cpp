#include "platform/comm/MSComm.h"

#include <utility>

#include "platform/vb/RuntimeError.h"

namespace comm {

MSComm::MSComm(std::shared_ptr<SerialBackend> backend) : backend_(std::move(backend)) {}

MSComm::~MSComm() {
  try {
    SetPortOpen(false);
  } catch (...) {
  }
}

int MSComm::CommPort() const { return port_; }

void MSComm::SetCommPort(int port) {
  if (device_) vb::Raise(vb::err::kPortAlreadyOpen);
  if (port < 1) vb::Raise(vb::err::kInvalidPortNumber);
  backend_->CheckPort(port);
  port_ = port;
}

const std::string& MSComm::Settings() const { return settingsText_; }

void MSComm::SetSettings(const std::string& text) {
  LineSettings parsed = ParseSettings(text);
  if (device_) device_->Apply(parsed, handshaking_);
  settings_ = parsed;
  settingsText_ = text;
}

int MSComm::Handshaking() const { return handshaking_; }

void MSComm::SetHandshaking(int code) {
  if (code < 0 || code > 3) vb::Raise(vb::err::kInvalidPropertyValue);
  if (device_) device_->Apply(settings_, code);
  handshaking_ = code;
}

bool MSComm::PortOpen() const { return device_ != nullptr; }

void MSComm::SetPortOpen(bool open) {
  if (open) {
    if (device_) vb::Raise(vb::err::kPortAlreadyOpen);
    device_ = backend_->Open(port_, settings_, handshaking_);
    received_.clear();
    return;
  }
  CloseDevice(false);
}

void MSComm::DropLine() { CloseDevice(true); }

void MSComm::CloseDevice(bool dropLine) {
  if (!device_) return;
  std::unique_ptr<SerialDevice> device = std::move(device_);
  received_.clear();
  try {
    if (dropLine) {
      device->CloseDroppingLine();
    } else {
      device->Close();
    }
  } catch (...) {
    // A device that has vanished cannot be closed any further; the port is closed for us.
  }
}

int MSComm::InputLen() const { return inputLen_; }

void MSComm::SetInputLen(int n) {
  if (n < 0) vb::Raise(vb::err::kInvalidPropertyValue);
  inputLen_ = n;
}

std::string MSComm::Input() {
  if (!device_) return {};
  received_ += device_->ReadAvailable();
  if (inputLen_ == 0 || received_.size() <= static_cast<std::size_t>(inputLen_)) {
    return std::exchange(received_, std::string());
  }
  std::string taken = received_.substr(0, static_cast<std::size_t>(inputLen_));
  received_.erase(0, static_cast<std::size_t>(inputLen_));
  return taken;
}

void MSComm::Output(const std::string& text) {
  if (!device_) vb::Raise(vb::err::kPortNotOpen);
  device_->Write(text);
}

std::size_t MSComm::OutBufferCount() { return device_ ? device_->OutputQueued() : 0; }

bool MSComm::WaitOutputSent(int maxMs) { return device_ ? device_->WaitOutputSent(maxMs) : true; }

void MSComm::DiscardOutput() {
  if (device_) device_->DiscardOutput();
}

std::int64_t MSComm::SendTimeMs(std::size_t characters) const { return comm::SendTimeMs(settings_, characters); }

}  // namespace comm
