// Finding tree nodes by their text.
#pragma once
#include <string>

#include "korvane/host/TreeView.h"

namespace korvane::test {

// The first child of node whose text is text; nil without one (or without node).
inline TTreeNode* Child(TTreeNode* node, const std::string& text) {
  for (TTreeNode* c = node ? node->GetFirstChild() : nullptr; c; c = c->GetNextSibling())
    if (c->GetText() == text) return c;
  return nullptr;
}

}  // namespace korvane::test
