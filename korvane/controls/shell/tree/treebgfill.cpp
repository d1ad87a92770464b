// The shell tree's background expansion: a worker enumerates the node's folder,
// finds names and attributes and keeps the folder's order (fillworker.h); the
// window inserts the admitted children in that order, in chunks of at most
// ~30 ms, each after the child that precedes it. Collapsing or deleting the
// node, a new fill of the tree, or the window's end cancels.
#include "korvane/controls/shell/tree/shelltree.h"

#include <cstdint>

#include "korvane/host/Application.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Stopwatch.h"

namespace korvane {

namespace {
// After each chunk the control lays out every shown child again (4-6 ms for 10 000), so the chunk stays short.
constexpr double kChunkMs = 5;
constexpr std::size_t kFirstBatch = 64;
}  // namespace

TTreeNodeState TZQCustomShellTree::NodeStateOf(ULONG attributes) const {
  TTreeNodeState state;
  state.HasChildren = options_.Contains(zqstoIncludeNonFolders)
                          ? (attributes & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER)) != 0
                          : (attributes & SFGAO_FOLDER) && (attributes & SFGAO_HASSUBFOLDER);
  if (attributes & SFGAO_SHARE) state.OverlayIndex = 0;
  else if (attributes & SFGAO_LINK) state.OverlayIndex = 1;
  state.Cut = (attributes & SFGAO_GHOSTED) != 0;  // drawn dimmed
  return state;
}

void TZQCustomShellTree::StartExpansion(TTreeNode* node, PCItemIDList absolute) {
  CancelExpansion(node, false);
  FillStart();
  auto expansion = std::make_unique<TZQTreeExpansion>();
  IMalloc* m = Allocator();
  expansion->parentAbsolute = TIdListPtr(CopyIdList(m, absolute), m);
  // With SFGAO_STREAM the window tells a plain directory's icons without asking the disk.
  expansion->worker = std::make_unique<TZQFillWorker>(GetHandle(), AM_FILLBATCH, absolute, EnumFlags(),
                                                      kZQItemAttributes | SFGAO_STREAM, 1, kFirstBatch, zqfxNames);
  expansions_[node] = std::move(expansion);
}

void TZQCustomShellTree::CancelExpansion(TTreeNode* node, bool dropChildren) {
  const auto at = expansions_.find(node);
  if (at == expansions_.end()) return;
  std::unique_ptr<TZQTreeExpansion> ended = std::move(at->second);
  expansions_.erase(at);
  if (dropChildren) {  // the next expansion starts afresh
    TTreeNodesUpdate bracket(GetItems());
    for (TTreeNode* child : ended->nodes)
      if (child) GetItems()->Delete(child);
    node->SetHasChildren(true);
  }
  if (expansionDepth_ > 0) endedExpansions_.push_back(std::move(ended));  // its continuing is on the stack
}

void TZQCustomShellTree::CancelExpansions() {
  while (!expansions_.empty()) CancelExpansion(expansions_.begin()->first, false);
}

void TZQCustomShellTree::ContinueExpansions() {
  std::vector<TTreeNode*> nodes;
  for (const auto& [node, expansion] : expansions_) nodes.push_back(node);
  for (TTreeNode* node : nodes)
    if (const auto at = expansions_.find(node); at != expansions_.end()) ContinueExpansion(node, *at->second);
}

void TZQCustomShellTree::FinishExpansion(TTreeNode* node) {
  for (;;) {
    const auto at = expansions_.find(node);
    if (at == expansions_.end()) return;
    TZQTreeExpansion& e = *at->second;
    ContinueExpansion(node, e, true);
    if (expansions_.count(node) && expansions_[node].get() == &e) e.worker->WaitReady(INFINITE);
  }
}

void TZQCustomShellTree::ContinueExpansion(TTreeNode* node, TZQTreeExpansion& e, bool all) {
  ++expansionDepth_;
  const auto leave = ScopeExit([this] {
    if (--expansionDepth_ == 0) endedExpansions_.clear();
  });
  const auto current = [&] {
    const auto at = expansions_.find(node);
    return at != expansions_.end() && at->second.get() == &e;
  };
  TZQFillBatch batch;
  if (e.worker->Take(batch)) {
    for (TZQFillEntry& entry : batch.fresh) {
      if (entry.sequence >= e.entries.size()) {
        e.entries.resize(entry.sequence + 1);
        e.states.resize(entry.sequence + 1, TZQTreeExpansion::Waiting);
        e.nodes.resize(entry.sequence + 1, nullptr);
      }
      e.entries[entry.sequence] = std::move(entry);
    }
    if (!batch.order.empty()) e.order.swap(batch.order);
    e.done = batch.done;
  }

  // The order walked from the start: each child goes in right after the one before it.
  IMalloc* m = Allocator();
  TZQShTreeData* parentRecord = GetDataFromNode(node);
  IShellFolder* folder = parentRecord ? parentRecord->GetThisIShf() : nullptr;
  const TStopwatch chunk;
  // The node opens with its first children alone: the control lays out all it has when it opens.
  const std::size_t most = all || e.opened ? SIZE_MAX : kFirstBatch;
  std::size_t inserted = 0;
  bool complete = true;
  {
    TTreeNodesUpdate bracket(GetItems());
    TTreeNode* previous = nullptr;
    for (std::uint32_t sequence : e.order) {
      TZQFillEntry& entry = e.entries[sequence];
      auto& state = e.states[sequence];
      if (state == TZQTreeExpansion::Inserted) {
        previous = e.nodes[sequence];
        continue;
      }
      if (state == TZQTreeExpansion::Left) continue;
      if (inserted == most || (!all && chunk.ElapsedMs() >= kChunkMs)) {
        complete = false;
        break;
      }
      const bool fileSystem = (entry.attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) != 0;
      BOOL admitted = folder && (options_.Contains(zqstoVirtualFolders) || fileSystem);
      if (admitted)
        GuardCallback(this, [&] { admitted = CanAdd(folder, e.parentAbsolute.Get(), entry.relative.Get(), entry.attributes); });
      if (!current()) return;
      if (!admitted) {
        state = TZQTreeExpansion::Left;
        continue;
      }
      auto record = std::make_unique<TZQShTreeData>(this);
      record->SetData(parentRecord, m, entry.relative.Get());
      TTreeNodeState nodeState = NodeStateOf(entry.attributes);
      ShellGetPlainFolderIcons(folder, entry.relative.Get(), entry.attributes, nodeState.ImageIndex,
                               nodeState.SelectedIndex);
      TTreeNode* child = GetItems()->InsertObjectAfter(node, previous, entry.name, record.get(), nodeState);
      record.release();  // the node's now; Delete frees it
      childNodes_[parentRecord].insert(child);
      e.nodes[sequence] = child;
      state = TZQTreeExpansion::Inserted;
      entry.relative.Reset();
      previous = child;
      ++inserted;
      GuardCallback(this, [&] { DoOnInsertItem(child); });
      if (!current()) return;
    }
  }
  // The native control does not open a node that had no children when asked to: it opens with its first.
  if (!e.opened && !all && node->GetFirstChild()) {
    e.opened = true;
    node->Expand(false);
    if (!current()) return;
  }
  if (!complete) {
    QueueFillSlice(GetHandle(), AM_FILLBATCH);  // the rest after what waits
    return;
  }
  if (!e.done) return;
  CancelExpansion(node, false);  // ended: the worker's thread is joined
  if (!node->GetFirstChild()) node->SetHasChildren(false);
  if (parentRecord) {
    parentRecord->SetFilled(true);
    filledNodes_.insert(node);
  }
  GuardCallback(this, [this] { FillComplete(); });
}

}  // namespace korvane
