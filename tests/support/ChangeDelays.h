// The delays before a refresh after a change, set for one test and put back on
// every path out of it (an ASSERT included).
#pragma once
#include "korvane/controls/shell/common/tuning.h"

namespace korvane::test {

class ChangeDelays {
public:
  explicit ChangeDelays(int ms) {
    ZQSH_CHANGE_NOTIFY_DELAY = ms;
    ZQSH_CHANGE_NOTIFY_FASTDELAY = ms;
  }
  ~ChangeDelays() {
    ZQSH_CHANGE_NOTIFY_DELAY = delay_;
    ZQSH_CHANGE_NOTIFY_FASTDELAY = fast_;
  }
  ChangeDelays(const ChangeDelays&) = delete;
  ChangeDelays& operator=(const ChangeDelays&) = delete;

private:
  const int delay_ = ZQSH_CHANGE_NOTIFY_DELAY;
  const int fast_ = ZQSH_CHANGE_NOTIFY_FASTDELAY;
};

}  // namespace korvane::test
