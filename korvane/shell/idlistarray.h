// TZQIdListArray: reads an absolute identifier list as its items and
// ancestors. The source is borrowed; each answer is owned by the array until
// the next call, so callers copy what they keep.
#pragma once
#include "korvane/host/System.h"
#include "korvane/shell/Uzqshell95.h"

namespace korvane {

class TZQIdListArray : public TObject {
public:
  explicit TZQIdListArray(PCItemIDList source) : source_(source) {}

  int GetCount() const;
  // A one-item list of item index. Raises "TZQIdListArray - index %d out of
  // range" for a nil source, a negative index or one past the items; on the
  // empty list index 0 answers the empty list and a larger one nil.
  PItemIDList GetItem(int index);
  // The first Count - levels items: 0 a copy, 1 the parent, Count the desktop;
  // nil when levels is out of range or the source is nil.
  PItemIDList GoUp(int levels);

private:
  PCItemIDList source_;
  TIdListPtr result_;
};

}  // namespace korvane
