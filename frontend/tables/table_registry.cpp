#include "table_registry.h"

#include <algorithm>

namespace kestra {

int TableRegistry::Register(TGridTable* table) {
  const int id = next_provisional_--;
  entries_.push_back({table, id});
  return id;
}

void TableRegistry::Unregister(TGridTable* table) {
  std::erase_if(entries_, [table](const Entry& e) { return e.table == table; });
}

int TableRegistry::IdentifierOf(const TGridTable* table) const {
  for (const Entry& e : entries_) {
    if (e.table == table) return e.identifier;
  }
  return 0;
}

void TableRegistry::SetIdentifier(TGridTable* table, int identifier) {
  auto self =
      std::find_if(entries_.begin(), entries_.end(),
                   [table](const Entry& e) { return e.table == table; });
  if (self == entries_.end()) return;
  const int previous = self->identifier;
  for (Entry& e : entries_) {
    if (e.table != table && e.identifier == identifier) {
      e.identifier = previous;
    }
  }
  self->identifier = identifier;
}

TGridTable* TableRegistry::Find(int identifier) const {
  for (const Entry& e : entries_) {
    if (e.identifier == identifier) return e.table;
  }
  return nullptr;
}

}  // namespace kestra
