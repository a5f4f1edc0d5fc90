#include "config/TSectionItems.h"

#include "config/IniNames.h"

namespace qev {

TSectionNode* TSectionItems::Find(std::string_view name, uint32_t hash) const {
  for (TSectionNode* n = buckets_[hash & 0xFF]; n; n = n->next)
    if (n->hash == hash && IniNamesEqual(n->name, name)) return n;
  return nullptr;
}

TSectionNode* TSectionItems::Register(std::string_view name, uint32_t firstLine) {
  auto* node = new TSectionNode;
  node->name.assign(name);
  node->hash = IniNameHash(name);
  node->firstLine = firstLine;
  TSectionNode*& head = buckets_[node->hash & 0xFF];
  node->next = head;
  head = node;
  return node;
}

void TSectionItems::Unregister(TSectionNode* node) {
  for (TSectionNode** link = &buckets_[node->hash & 0xFF]; *link; link = &(*link)->next) {
    if (*link == node) {
      *link = node->next;
      delete node;
      return;
    }
  }
}

void TSectionItems::Shift(uint32_t line, int32_t delta) {
  for (TSectionNode* head : buckets_)
    for (TSectionNode* n = head; n; n = n->next)
      if (n->firstLine > line) n->firstLine = static_cast<uint32_t>(n->firstLine + delta);
}

void TSectionItems::DiscardKeyIndexes() {
  for (TSectionNode* head : buckets_)
    for (TSectionNode* n = head; n; n = n->next) n->keyIndex.reset();
}

void TSectionItems::Clear() {
  // Chains can be long (a file of repeated headers), so they are freed by a loop,
  // never by recursion.
  for (TSectionNode*& head : buckets_) {
    while (head) {
      TSectionNode* next = head->next;
      delete head;
      head = next;
    }
  }
}

}  // namespace qev
