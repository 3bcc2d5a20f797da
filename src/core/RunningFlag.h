// Marks a handler as running for as long as it runs, also when it leaves by an exception.
#pragma once

namespace pager {

class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = before_; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
  bool before_;
};

}  // namespace pager
